// The audio feeder against seeks from another thread: the clip's cursors
// are shared, so the window thread seeks under the same lock the feeder
// reads under. Run on a real-time handheld so that the two threads truly
// overlap (the sanitizer run is what catches a missing lock).
#include "audio_feeder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>

#include "clip/avi_reader.h"
#include "platform/audio.h"
#include "platform/testing/temp_handheld.h"
#include "recording_testing/recorded_clip.h"

namespace clip {
namespace {

using recording::testing::Pattern;

TEST(AudioFeederTest, SeeksUnderTheClipLockWhileTheFeederReadsKeepEveryBlockWhole) {
  platform::HandheldConfig config;
  config.virtual_clock = false;
  platform::testing::TempHandheld device(config);
  recording::testing::ClipPlan plan;
  plan.audio = true;
  std::vector<std::vector<std::uint8_t>> chunks;
  for (int i = 0; i < 8; ++i) {
    plan.items.push_back({recording::kQueueVideo, Pattern(500, 100 + i)});
    chunks.push_back(Pattern(recording::kAudioBlockBytes, i + 1));
    plan.items.push_back({recording::kQueueAudio, chunks.back()});
  }
  recording::testing::RecordClip("\\clip.avi", plan);
  AviClipPtr clip = AviOpen("\\clip.avi");
  ASSERT_TRUE(clip);
  platform::CriticalSection clip_lock;
  SoundRing ring(SoundRingConfig{});
  {
    AudioFeeder feeder(*clip, clip_lock, ring);
    feeder.Start();
    // Seeks for a while of the host's time (the handheld's clock calls
    // would order the threads by themselves).
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    for (int i = 0; std::chrono::steady_clock::now() < until; ++i) {
      std::lock_guard guard(clip_lock);
      AviSeek(*clip, 1 + i % 8);
    }
    feeder.Stop();
    EXPECT_FALSE(feeder.running());
  }
  ring.Flush();
  const std::vector<platform::audio::PlayedBuffer> played = platform::audio::PlayedBuffers();
  EXPECT_FALSE(played.empty());
  for (const platform::audio::PlayedBuffer& buffer : played) {
    bool known = std::all_of(buffer.data.begin(), buffer.data.end(), [](auto b) { return b == 0; });
    for (const auto& chunk : chunks) {
      for (std::size_t part = 0; part + buffer.data.size() <= chunk.size(); part += 320) {
        known = known || std::equal(buffer.data.begin(), buffer.data.end(), chunk.begin() + part);
      }
    }
    EXPECT_TRUE(known);
  }
}

}  // namespace
}  // namespace clip
