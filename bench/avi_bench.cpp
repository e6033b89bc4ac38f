// The clip files: how much faster than real time the writer stores a 25 fps
// clip of 20 KB frames with its sound, and how long opening and indexing a
// clip near the 14 MB limit takes. Neither may bound recording or playback.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "clip/avi_reader.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "recording/avi_writer.h"

namespace {

constexpr int kFramesPerSecond = 25;
constexpr std::size_t kFrameBytes = 20 * 1024;
// 1,280-byte blocks of 16-bit mono sound at 8,000 Hz: 12.5 per second.
constexpr double kBlockSeconds = 1280.0 / 16000.0;
constexpr char kClipPath[] = "\\m0001.avi";

std::vector<std::uint8_t> Bytes(std::size_t size, int seed) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

// Records `seconds` of clip the way the recorder does; false on a writer
// error.
bool RecordClip(int seconds) {
  static const std::vector<std::uint8_t> frame = Bytes(kFrameBytes, 1);
  static const std::vector<std::uint8_t> block = Bytes(recording::kAudioBlockBytes, 2);
  recording::WriterSignals signals;  // outlives the writer
  signals.stopped = platform::CreateEvent(false, false);
  auto writer = recording::AviWriter::Create(kClipPath, 0);
  writer->AddVideoStream(recording::MakeFourCc("MJPG"), 320, 240, recording::kVideoRateHint)
      ->SetQuality(recording::kVideoQuality);
  writer->AddAudioStream(recording::kRecorderWaveFormat, recording::kAudioRateHint);
  writer->Start(signals);
  int blocks = 0;
  for (int i = 0; i < seconds * kFramesPerSecond; ++i) {
    writer->QueueBuffer(recording::kQueueVideo, frame.data(),
                        static_cast<platform::LONG>(frame.size()));
    while (blocks * kBlockSeconds < static_cast<double>(i + 1) / kFramesPerSecond) {
      writer->QueueBuffer(recording::kQueueAudio, block.data(),
                          static_cast<platform::LONG>(block.size()));
      ++blocks;
    }
  }
  signals.stop = 1;
  platform::WaitForSingleObject(signals.stopped, platform::INFINITE);
  writer->SetDuration(static_cast<platform::DWORD>(seconds));
  writer->Close();
  return signals.error == 0;
}

// Wall time per clip; "x_real_time" is the clip's length over it.
void BM_WriterThroughput(benchmark::State& state) {
  platform::testing::TempHandheld handheld;
  const int seconds = static_cast<int>(state.range(0));
  for (auto _ : state) {
    if (!RecordClip(seconds)) state.SkipWithError("the writer failed");
  }
  state.counters["x_real_time"] =
      benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate);
  state.SetBytesProcessed(state.iterations() * seconds * (kFramesPerSecond * kFrameBytes + 16000));
}
BENCHMARK(BM_WriterThroughput)->Arg(10)->Arg(25)->UseRealTime()->Unit(benchmark::kMillisecond);

// A 27-second clip is about 14.3 MB: as large as the camera makes them.
void BM_OpenAndIndexFullClip(benchmark::State& state) {
  platform::testing::TempHandheld handheld;
  if (!RecordClip(27)) {
    state.SkipWithError("the writer failed");
    return;
  }
  for (auto _ : state) {
    clip::AviClipPtr clip = clip::AviOpen(kClipPath);
    if (!clip || clip->frame_count() != 27 * kFramesPerSecond) {
      state.SkipWithError("the clip did not index");
      break;
    }
    clip::AviClose(std::move(clip));
  }
}
BENCHMARK(BM_OpenAndIndexFullClip)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
