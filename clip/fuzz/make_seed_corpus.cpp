// Writes the clip reader's seed corpus: small clips made by the camera's
// writer (video only, video with sound, odd chunk sizes, no frames).
//   clip_seed_corpus OUTPUT_FOLDER
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "recording/avi_writer.h"

namespace {

namespace fs = std::filesystem;
using recording::kQueueAudio;
using recording::kQueueVideo;

struct Seed {
  std::string name;
  bool audio;
  std::vector<std::pair<platform::DWORD, platform::DWORD>> items;  // kind, size
};

std::vector<std::uint8_t> Bytes(std::size_t size, int seed) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 13);
  if (size >= 4) {  // frames look like JPEG images to whoever reads them
    bytes[0] = 0xFF;
    bytes[1] = 0xD8;
    bytes[size - 2] = 0xFF;
    bytes[size - 1] = 0xD9;
  }
  return bytes;
}

void Write(const Seed& seed) {
  recording::WriterSignals signals;  // outlives the writer
  signals.stopped = platform::CreateEvent(false, false);
  auto writer = recording::AviWriter::Create("\\" + seed.name, 0);
  writer->AddVideoStream(recording::MakeFourCc("MJPG"), 160, 120, recording::kVideoRateHint)
      ->SetQuality(recording::kVideoQuality);
  if (seed.audio) writer->AddAudioStream(recording::kRecorderWaveFormat, recording::kAudioRateHint);
  writer->Start(signals);
  int n = 0;
  for (const auto& [kind, size] : seed.items) {
    const std::vector<std::uint8_t> data = Bytes(size, ++n);
    writer->QueueBuffer(kind, data.data(), static_cast<platform::LONG>(size));
  }
  signals.stop = 1;
  platform::WaitForSingleObject(signals.stopped, platform::INFINITE);
  writer->SetDuration(1);
  writer->Close();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: clip_seed_corpus OUTPUT_FOLDER\n", stderr);
    return 2;
  }
  const fs::path out = argv[1];
  std::error_code error;
  fs::create_directories(out, error);
  platform::testing::TempHandheld handheld;
  const std::vector<Seed> seeds = {
      {"video_only.avi", false, {{kQueueVideo, 64}, {kQueueVideo, 80}, {kQueueVideo, 72}}},
      {"video_and_sound.avi",
       true,
       {{kQueueVideo, 60},
        {kQueueAudio, 128},
        {kQueueVideo, 62},
        {kQueueVideo, 58},
        {kQueueAudio, 128}}},
      {"odd_sizes.avi", true, {{kQueueVideo, 33}, {kQueueVideo, 41}, {kQueueAudio, 17}}},
      {"sound_only.avi", true, {{kQueueAudio, 96}, {kQueueAudio, 96}}},
      {"empty.avi", false, {}},
  };
  for (const Seed& seed : seeds) {
    Write(seed);
    const auto host = handheld.handheld().files().HostPath("\\" + seed.name);
    if (!host ||
        !fs::copy_file(*host, out / seed.name, fs::copy_options::overwrite_existing, error)) {
      std::fprintf(stderr, "clip_seed_corpus: cannot write %s\n", (out / seed.name).c_str());
      return 1;
    }
  }
  std::printf("%zu seeds written to %s\n", seeds.size(), out.c_str());
  return 0;
}
