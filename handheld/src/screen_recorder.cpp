#include "screen_recorder.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "platform/gdi_png.h"
#include "platform/screen.h"
#include "platform/time.h"

namespace handheld {

namespace {

std::filesystem::path FrameName(std::uint64_t time) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%09llu.png", static_cast<unsigned long long>(time));
  return name;
}

}  // namespace

ScreenRecorder::ScreenRecorder(std::filesystem::path folder) : folder_(std::move(folder)) {
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
}

std::uint64_t ScreenRecorder::RecordingTime() {
  const std::uint64_t now = platform::clock::NowMs();
  if (now < boot_ms_seen_) {
    // A reboot: the new handheld's screen and change count start afresh.
    earlier_boots_ms_ += boot_ms_seen_;
    change_count_seen_.reset();
  }
  boot_ms_seen_ = now;
  return earlier_boots_ms_ + now;
}

void ScreenRecorder::Look() {
  const std::uint64_t time = RecordingTime();
  if (change_count_seen_ == platform::screen::ChangeCount()) return;
  if (last_frame_time_ && time < *last_frame_time_ + kMinimumGapMs) return;
  Capture(time, false);
}

void ScreenRecorder::Finish() {
  const std::uint64_t time = RecordingTime();
  const bool too_soon = last_frame_time_ && time < *last_frame_time_ + kMinimumGapMs;
  Capture(too_soon ? *last_frame_time_ : time, too_soon);
}

void ScreenRecorder::Capture(std::uint64_t time, bool replace_last) {
  // Counted before composing: painting that composing starts counts as a
  // change still to be looked at.
  change_count_seen_ = platform::screen::ChangeCount();
  const platform::gdi::Surface& screen = platform::screen::Compose();
  const platform::BYTE* pixels = screen.bits();
  if (std::equal(pixels, pixels + screen.size_bytes(), last_frame_pixels_.begin(),
                 last_frame_pixels_.end())) {
    return;
  }
  const std::filesystem::path path = replace_last ? last_frame_path_ : folder_ / FrameName(time);
  if (!platform::gdi::WritePng(screen, path)) {
    if (!write_failure_) write_failure_ = path;
    return;
  }
  last_frame_pixels_.assign(pixels, pixels + screen.size_bytes());
  last_frame_time_ = time;
  last_frame_path_ = path;
  if (!replace_last) ++frames_written_;
}

}  // namespace handheld
