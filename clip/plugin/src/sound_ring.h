// The player's sound output: a ring of PCM blocks that a writer fills and
// that a callback thread moves, a block at a time, into sixteen wave-output
// buffers. The device starts once all sixteen are queued and pauses when
// every one has come back with nothing waiting, so that it never plays
// half a queue of stale sound.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/threads.h"
#include "platform/wave.h"

namespace clip {

struct SoundRingConfig {
  int priority = platform::THREAD_PRIORITY_NORMAL;  // of the callback thread, 0-7
  platform::DWORD block_count = 64;                 // at least 16
  platform::DWORD block_bytes = 320;                // at least 80
  platform::WORD channels = 1;                      // 1 or 2
  platform::DWORD rate = 8000;                      // 8000, 11025, 22050 or 44100
  platform::WORD bits = 16;                         // 8 or 16
};

class SoundRing {
 public:
  static constexpr std::size_t kDeviceBuffers = 16;

  // Values outside the ranges above are replaced by the defaults.
  explicit SoundRing(const SoundRingConfig& config);
  ~SoundRing();
  SoundRing(const SoundRing&) = delete;
  SoundRing& operator=(const SoundRing&) = delete;

  // Opens the first wave-output device that takes the format. False when
  // none does: the ring then takes blocks and drops them.
  bool Open();
  bool is_open() const { return device_ != nullptr; }

  const platform::WAVEFORMATEX& format() const { return format_; }
  platform::DWORD block_bytes() const { return config_.block_bytes; }
  platform::DWORD FreeBytes();

  // Puts one block (block_bytes long) into the ring and hands what waits to
  // the device. False when the ring is full.
  bool WriteBlock(std::span<const std::uint8_t> block);
  // Drops the waiting blocks and stops what the device is playing.
  void Flush();

 private:
  // The caller holds lock_.
  void QueueWaiting();
  void FillAndWrite(std::size_t buffer);
  void OnBufferDone(platform::WAVEHDR* header);
  platform::DWORD CallbackLoop();
  void Close();

  SoundRingConfig config_;
  platform::WAVEFORMATEX format_;
  platform::CriticalSection lock_;
  std::vector<std::uint8_t> ring_;
  std::size_t read_block_ = 0;  // oldest waiting block
  std::size_t waiting_ = 0;     // blocks waiting
  std::array<platform::WAVEHDR, kDeviceBuffers> headers_{};
  std::array<std::vector<char>, kDeviceBuffers> buffers_;
  std::array<bool, kDeviceBuffers> queued_{};
  bool playing_ = false;  // the device was started and not paused since
  platform::HWAVEOUT device_ = nullptr;
  platform::ThreadHandle callback_thread_;
  platform::EventHandle callback_ready_;
};

}  // namespace clip
