// The capture pipeline under run control (register 92): raw capture
// (bit 0), compression (bit 1, after the capture when both are asked for)
// and the levels measurement (bit 5), each taking its modelled time and
// raising its status bit when done.
#include <algorithm>
#include <array>
#include <vector>

#include "hardware/camera_registers.h"
#include "module.h"

namespace card::internal {

namespace {

using namespace camera_hardware::module;

// The sensor reads the rows of its window one line time apart: a whole
// 1,032-row field plus blanking makes 30 frames a second, so the smaller
// windows of the previews come quicker.
constexpr std::uint64_t kLineUs = 32;
constexpr std::uint64_t kBlankingLines = 8;
// The compressor takes ten output pixels a microsecond.
constexpr std::uint64_t kPixelsPerUs = 10;
constexpr std::uint64_t kLevelsUs = 5'000;
// A count no buffer of the driver holds.
constexpr std::uint32_t kOversizedCount = 2'000'000;

}  // namespace

void Module::CancelPipeline() {
  capture_.reset();
  compression_.reset();
  compress_after_capture_ = false;
  levels_done_us_.reset();
}

void Module::RunControl(std::uint8_t value, std::uint64_t now_us) {
  const std::uint8_t before = registers_[kRunControl];
  registers_[kRunControl] = value;
  const std::uint8_t rising = value & ~before;
  if (!(value & kRunCapture)) capture_.reset();
  if (!(value & kRunCompress)) {
    compression_.reset();
    compress_after_capture_ = false;
  }
  if (!(value & kRunLevels)) levels_done_us_.reset();
  if (rising & kRunCapture) {
    const CaptureWindow window{Word16(kWindowX), Word16(kWindowY), Word16(kWindowWidth),
                               Word16(kWindowHeight), Address24(kRawFrameAddress)};
    const std::uint64_t rows = static_cast<std::uint64_t>(std::clamp(window.height, 0, 2048));
    capture_ = PendingCapture{now_us + (rows + kBlankingLines) * kLineUs, window};
  }
  if (rising & kRunCompress) {
    if (capture_) {
      compress_after_capture_ = true;
    } else {
      StartCompression(now_us);
    }
  }
  if ((rising & kRunLevels) && program_.Loaded()) levels_done_us_ = now_us + kLevelsUs;
}

void Module::StartCompression(std::uint64_t at_us) {
  PendingCompression compression;
  CompressionJob& job = compression.job;
  job.source = Address24(kCompressionSource);
  job.line_width = Word16(kLineWidth);
  job.raw_height = Word16(kWindowHeight);
  job.margin_x = registers_[kScalerGrid + 2];
  job.margin_y = registers_[kScalerGrid + 3];
  job.output_width = Word16(kOutputWidth);
  job.output_height = Word16(kOutputHeight);
  job.grid_columns = registers_[kGridColumns];
  job.grid_rows = registers_[kGridRows];
  job.full_chroma = registers_[kCompressionFormat] & kFullChromaFormat;
  job.monochrome = registers_[kCompressionFormat] & kMonochromeFormat;
  job.fixed_blue_difference = port_.Parameter(camera_hardware::settings::kChromaLevels);
  job.fixed_red_difference = port_.Parameter(72);
  job.quantiser_codes = quantiser_.codes();
  compression.output = Address24(kOutputAddress);
  const std::uint64_t pixels =
      std::uint64_t(std::max(job.output_width, 0)) * std::uint64_t(std::max(job.output_height, 0));
  compression.done_us = at_us + pixels / kPixelsPerUs + 1;
  compression_ = compression;
}

void Module::RunDue(std::uint64_t now_us) {
  for (;;) {
    enum class Work { kNone, kCapture, kCompression, kLevels, kCommand } work = Work::kNone;
    std::uint64_t earliest = now_us + 1;
    auto consider = [&](std::optional<std::uint64_t> due, Work kind) {
      if (due && *due < earliest) {
        earliest = *due;
        work = kind;
      }
    };
    // A stalled module starts work and never finishes it.
    if (!faults_.stalled_module) {
      if (capture_) consider(capture_->done_us, Work::kCapture);
      if (compression_ && !compress_after_capture_) {
        consider(compression_->done_us, Work::kCompression);
      }
      consider(levels_done_us_, Work::kLevels);
    }
    consider(commands_.DueAt(), Work::kCommand);
    if (work == Work::kNone) return;
    const HostCpuClock::time_point work_start = HostCpuClock::now();
    switch (work) {
      case Work::kNone:
        break;
      case Work::kCapture: {
        const PendingCapture capture = *capture_;
        capture_.reset();
        FinishCapture(capture);
        break;
      }
      case Work::kCompression: {
        const PendingCompression compression = *compression_;
        compression_.reset();
        FinishCompression(compression);
        break;
      }
      case Work::kLevels:
        levels_done_us_.reset();
        FinishLevels();
        break;
      case Work::kCommand:
        commands_.RunDue(earliest);
        break;
    }
    simulation_cpu_ += HostCpuClock::now() - work_start;
  }
}

void Module::FinishCapture(const PendingCapture& capture) {
  if (scene_) {
    CaptureRawFrame(*scene_, light_, capture.done_us, sensor_, lens_turned_, capture.window,
                    memory_);
  }
  capture_status_ |= kFrameCaptured;
  if (compress_after_capture_) {
    compress_after_capture_ = false;
    StartCompression(capture.done_us);
  }
}

void Module::FinishCompression(const PendingCompression& compression) {
  std::vector<std::uint8_t> scan = CompressScan(compression.job, memory_);
  if (faults_.corrupted_scans && scan.size() >= 8) {
    std::fill_n(scan.begin(), 5, 0);
    // The end marker is the last two bytes, or the two before the padding.
    const std::size_t end = scan[scan.size() - 2] == 0xFF ? scan.size() - 2 : scan.size() - 3;
    scan[end] = scan[end + 1] = 0;
  }
  std::span<std::uint8_t> out = memory_.Range(compression.output, scan.size());
  std::copy_n(scan.begin(), out.size(), out.begin());
  const std::uint32_t count =
      faults_.oversized_count ? kOversizedCount : static_cast<std::uint32_t>(scan.size());
  registers_[kCompressedSize] = static_cast<std::uint8_t>(count);
  registers_[kCompressedSize + 1] = static_cast<std::uint8_t>(count >> 8);
  registers_[kCompressedSize + 2] = static_cast<std::uint8_t>(count >> 16);
  capture_status_ |= kFrameCompressed;
}

void Module::FinishLevels() {
  // The darkest and brightest percent of each of the four pixel positions
  // of the last raw frame: L1-L4 as levels, H1-H4 as headroom below 255.
  const int width = std::clamp(Word16(kWindowWidth), 0, 2048);
  const int height = std::clamp(Word16(kWindowHeight), 0, 2048);
  const std::uint32_t address = Address24(kRawFrameAddress);
  std::array<std::array<int, 256>, 4> histograms{};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ++histograms[(x & 1) + 2 * (y & 1)]
                  [memory_.At(address + static_cast<std::uint32_t>(y * width + x))];
    }
  }
  for (int position = 0; position < 4; ++position) {
    const auto& histogram = histograms[position];
    int total = 0;
    for (int count : histogram) total += count;
    const int percent = std::max(total / 100, 1);
    int low = 0;
    for (int seen = 0; low < 255 && (seen += histogram[low]) < percent;) ++low;
    int high = 255;
    for (int seen = 0; high > 0 && (seen += histogram[high]) < percent;) --high;
    port_.SetParameter(
        static_cast<std::uint8_t>(camera_hardware::settings::kLevelsMeasured + position),
        static_cast<std::uint8_t>(low));
    port_.SetParameter(static_cast<std::uint8_t>(140 + position),
                       static_cast<std::uint8_t>(255 - high));
  }
  levels_status_ |= kLevelsDone;
}

}  // namespace card::internal
