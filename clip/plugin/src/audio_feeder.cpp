#include "audio_feeder.h"

#include <mutex>
#include <vector>

#include "clip/avi_reader.h"
#include "platform/time.h"

namespace clip {

namespace {

// A chunk of the camera's clips is 1,280 bytes; the buffer takes any
// chunk a sound stream of up to 44,100 Hz stereo 16-bit would hold per
// frame.
constexpr std::size_t kChunkBufferBytes = 64 * 1024;

}  // namespace

AudioFeeder::AudioFeeder(AviClip& clip, platform::CriticalSection& clip_lock, SoundRing& ring)
    : clip_(clip), clip_lock_(clip_lock), ring_(ring) {}

AudioFeeder::~AudioFeeder() { Stop(); }

void AudioFeeder::Start() {
  Stop();
  stop_ = false;
  thread_ = platform::CreateThread([this] { return Run(); }, "clip audio feeder");
  platform::SetThreadPriority(thread_, platform::THREAD_PRIORITY_NORMAL);
}

void AudioFeeder::Stop() {
  stop_ = true;
  if (thread_) {
    platform::WaitForSingleObject(thread_, platform::INFINITE);
    thread_.reset();
  }
}

bool AudioFeeder::running() {
  return thread_ && platform::WaitForSingleObject(thread_, 0) == platform::WAIT_TIMEOUT;
}

bool AudioFeeder::WriteBlocks(std::span<const std::uint8_t> bytes, platform::DWORD wait_ms) {
  const std::size_t block = ring_.block_bytes();
  while (!stop_ && ring_.FreeBytes() <= kLowWater) platform::Sleep(wait_ms);
  // A remainder shorter than a block is dropped.
  for (std::size_t at = 0; at + block <= bytes.size() && !stop_; at += block) {
    while (!ring_.WriteBlock(bytes.subspan(at, block))) {
      if (stop_) return false;
      platform::Sleep(wait_ms);
    }
  }
  return !stop_;
}

platform::DWORD AudioFeeder::Run() {
  if (!ring_.Open()) return 0;  // no device takes the format: silent play
  std::vector<std::uint8_t> chunk(kChunkBufferBytes);
  DWORD last_size = 0;
  for (;;) {
    DWORD size = 0;
    {
      std::lock_guard guard(clip_lock_);
      if (stop_ || AviReadAudioChunk(clip_, chunk, &size) != 0) break;
    }
    if (!WriteBlocks(std::span(chunk).first(size), kChunkWaitMs)) return 0;
    last_size = size;
  }
  if (stop_) return 0;
  // Silence, not the last chunk again, pushes the last blocks through the
  // device's queue.
  const std::vector<std::uint8_t> silence(last_size, ring_.format().wBitsPerSample == 8 ? 0x80 : 0);
  for (int round = 0; round < kClosingRounds; ++round) {
    if (!WriteBlocks(silence, kClosingWaitMs)) return 0;
  }
  return 0;
}

}  // namespace clip
