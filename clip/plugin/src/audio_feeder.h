// The player's audio feeder: a thread that reads the clip's sound chunks
// from the audio cursor on and writes them to the sound ring in blocks,
// then a second of silence so that the device plays the last blocks out.
#pragma once

#include <atomic>

#include "clip/avi_clip.h"
#include "platform/threads.h"
#include "sound_ring.h"

namespace clip {

class AudioFeeder {
 public:
  // Ring bytes that must be free before the next chunk is written.
  static constexpr platform::DWORD kLowWater = 2560;
  static constexpr platform::DWORD kChunkWaitMs = 150;
  static constexpr platform::DWORD kClosingWaitMs = 50;
  // Rounds of silence, each as long as the last chunk, after the last one.
  static constexpr int kClosingRounds = 13;

  // `clip_lock` guards the clip's cursors: the window thread seeks under it
  // while the feeder reads.
  AudioFeeder(AviClip& clip, platform::CriticalSection& clip_lock, SoundRing& ring);
  ~AudioFeeder();
  AudioFeeder(const AudioFeeder&) = delete;
  AudioFeeder& operator=(const AudioFeeder&) = delete;

  // Starts feeding from the audio cursor; a feeder still running is
  // stopped first.
  void Start();
  // Raises the stop flag and waits for the thread to end.
  void Stop();
  bool running();

 private:
  platform::DWORD Run();
  // Writes `bytes` in whole blocks, waiting `wait_ms` while the ring is
  // nearly full. False when stopped.
  bool WriteBlocks(std::span<const std::uint8_t> bytes, platform::DWORD wait_ms);

  AviClip& clip_;
  platform::CriticalSection& clip_lock_;
  SoundRing& ring_;
  std::atomic<bool> stop_{false};
  platform::ThreadHandle thread_;
};

}  // namespace clip
