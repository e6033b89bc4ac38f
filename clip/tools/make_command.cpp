// orsa-avi make --fps N [--wav SOUND.wav] OUT.avi FRAME.jpg...: writes a
// clip through the camera's writer, the sound in 1,280-byte blocks placed
// after the frames they follow in time.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "jpeg_frames.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "recording/avi_writer.h"
#include "scratch_handheld.h"
#include "tool_support.h"
#include "wav_file.h"

namespace orsa_avi {

namespace {

constexpr std::size_t kBatchItems = 32;
constexpr platform::DWORD kDrainPollMs = 10;
constexpr char kClipPath[] = "\\clip.avi";

struct MakeOptions {
  double fps = 0;
  std::optional<std::string> wav;
  std::string output;
  std::vector<std::string> frames;
};

std::optional<MakeOptions> ParseOptions(const std::vector<std::string>& args) {
  MakeOptions options;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--fps" && i + 1 < args.size()) {
      try {
        options.fps = std::stod(args[++i]);
      } catch (...) {
        options.fps = 0;
      }
    } else if (args[i] == "--wav" && i + 1 < args.size()) {
      options.wav = args[++i];
    } else {
      files.push_back(args[i]);
    }
  }
  if (!(options.fps > 0 && options.fps <= 1000) || files.size() < 2) return std::nullopt;
  options.output = files.front();
  options.frames.assign(files.begin() + 1, files.end());
  return options;
}

// The sound cut into 1,280-byte blocks; the last one is filled with silence.
std::vector<std::vector<std::uint8_t>> SoundBlocks(const PcmSound& sound) {
  const std::uint8_t silence = sound.bits_per_sample == 8 ? 0x80 : 0x00;
  std::vector<std::vector<std::uint8_t>> blocks;
  for (std::size_t at = 0; at < sound.data.size(); at += recording::kAudioBlockBytes) {
    const std::size_t take =
        std::min<std::size_t>(recording::kAudioBlockBytes, sound.data.size() - at);
    std::vector<std::uint8_t> block(sound.data.begin() + at, sound.data.begin() + at + take);
    block.resize(recording::kAudioBlockBytes, silence);
    blocks.push_back(std::move(block));
  }
  return blocks;
}

class ClipMaker {
 public:
  ClipMaker(recording::AviWriter& writer, recording::WriterSignals& signals)
      : writer_(writer), signals_(signals) {}

  // Queues one item; every batch waits until the writer has taken it all,
  // so the copies in memory stay few. False once the writer failed.
  bool Queue(platform::DWORD kind, const std::vector<std::uint8_t>& data) {
    if (writer_.QueueBuffer(kind, data.data(), static_cast<platform::LONG>(data.size())) != 0) {
      return false;
    }
    if (++queued_ % kBatchItems == 0) {
      while (writer_.queue().Size() > 0 && signals_.error == 0) platform::Sleep(kDrainPollMs);
    }
    return signals_.error == 0;
  }

 private:
  recording::AviWriter& writer_;
  recording::WriterSignals& signals_;
  std::size_t queued_ = 0;
};

}  // namespace

int RunMake(const std::vector<std::string>& args) {
  const std::optional<MakeOptions> options = ParseOptions(args);
  if (!options) {
    std::fputs("orsa-avi: make needs --fps N (0 < N <= 1000), an output clip and frames\n", stderr);
    return kExitUsage;
  }
  const auto first = ReadHostFile(options->frames.front());
  if (!first) {
    std::fprintf(stderr, "orsa-avi: cannot read %s\n", options->frames.front().c_str());
    return kExitFile;
  }
  const std::optional<FrameSize> size = JpegFrameSize(*first);
  if (!size) {
    std::fprintf(stderr, "orsa-avi: %s has no JPEG frame header\n",
                 options->frames.front().c_str());
    return kExitFile;
  }
  std::optional<PcmSound> sound;
  if (options->wav) {
    const auto wav = ReadHostFile(*options->wav);
    std::string error;
    if (wav) sound = ParseWav(*wav, &error);
    if (!sound) {
      std::fprintf(stderr, "orsa-avi: cannot use %s: %s\n", options->wav->c_str(),
                   wav ? error.c_str() : "cannot read it");
      return kExitFile;
    }
  }

  ScratchHandheld handheld;
  recording::WriterSignals signals;  // outlives the writer
  signals.stopped = platform::CreateEvent(false, false);
  std::unique_ptr<recording::AviWriter> writer = recording::AviWriter::Create(kClipPath, 0);
  if (!writer || writer->CurrentPosition() < 0) {
    std::fputs("orsa-avi: cannot create the clip\n", stderr);
    return kExitFile;
  }
  writer
      ->AddVideoStream(recording::MakeFourCc("MJPG"), size->width, size->height,
                       recording::kVideoRateHint)
      ->SetQuality(recording::kVideoQuality);
  std::vector<std::vector<std::uint8_t>> blocks;
  double block_seconds = 0;
  if (sound) {
    recording::WaveFormat format = recording::kRecorderWaveFormat;
    format.nChannels = sound->channels;
    format.nSamplesPerSec = sound->sample_rate;
    format.wBitsPerSample = sound->bits_per_sample;
    writer->AddAudioStream(format, recording::kAudioRateHint);
    blocks = SoundBlocks(*sound);
    block_seconds = static_cast<double>(recording::kAudioBlockBytes) /
                    (sound->sample_rate * sound->channels * sound->bits_per_sample / 8);
  }
  if (writer->Start(signals) != 0) {
    std::fputs("orsa-avi: cannot start the writer\n", stderr);
    return kExitFile;
  }

  ClipMaker maker(*writer, signals);
  const Progress progress("queued frame", options->frames.size());
  std::size_t next_block = 0;
  bool ok = true;
  for (std::size_t i = 0; ok && i < options->frames.size(); ++i) {
    const auto frame = i == 0 ? first : ReadHostFile(options->frames[i]);
    if (!frame || frame->size() < 2 || (*frame)[0] != 0xFF || (*frame)[1] != 0xD8) {
      std::fprintf(stderr, "orsa-avi: %s is not a JPEG file; left out\n",
                   options->frames[i].c_str());
    } else {
      ok = maker.Queue(recording::kQueueVideo, *frame);
    }
    // The sound that starts before the next frame follows this one.
    const double next_frame_time = (i + 1) / options->fps;
    while (ok && next_block < blocks.size() && next_block * block_seconds < next_frame_time) {
      ok = maker.Queue(recording::kQueueAudio, blocks[next_block++]);
    }
    progress.Update(i + 1);
  }
  while (ok && next_block < blocks.size())
    ok = maker.Queue(recording::kQueueAudio, blocks[next_block++]);

  signals.stop = 1;
  platform::WaitForSingleObject(signals.stopped, platform::INFINITE);
  if (signals.error != 0) {
    std::fputs("orsa-avi: the clip reached its size limit; the rest is left out\n", stderr);
  }
  // The clip lasts as long as the frames that reached it.
  const auto written_frames =
      std::count_if(writer->index().begin(), writer->index().end(),
                    [](const recording::AviIndexEntry& entry) { return entry.chunk_id[2] == 'd'; });
  const auto seconds = static_cast<platform::DWORD>(
      std::max<long long>(1, std::llround(written_frames / options->fps)));
  writer->SetDuration(seconds);
  writer->Close();
  const recording::AviMainHeader& main = writer->main_header();
  if (!handheld.Export(kClipPath, options->output)) {
    std::fprintf(stderr, "orsa-avi: cannot write %s\n", options->output.c_str());
    return kExitFile;
  }
  // The scratch handheld's clock ran ahead by the writer's waits.
  std::error_code ignored;
  std::filesystem::last_write_time(options->output, std::filesystem::file_time_type::clock::now(),
                                   ignored);
  std::printf("%s: %u frames of %u x %u, %zu sound blocks, %u s, %.3f frames/s\n",
              options->output.c_str(), main.dwTotalFrames, main.dwWidth, main.dwHeight, next_block,
              seconds, main.dwTotalFrames / static_cast<double>(seconds));
  return kExitOk;
}

}  // namespace orsa_avi
