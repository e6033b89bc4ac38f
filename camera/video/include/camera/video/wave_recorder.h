// The clip's sound: wave input on its own capture thread, whose buffers go
// through a ring in recording order and leave it as 1,280-byte blocks for
// the clip's write queue. When the ring is full the input pauses (the
// buffer at hand is dropped) until a read or Resume makes room.
//
// Locking: the capture thread holds the recorder's lock for each buffer;
// Resume and ReadRing take it too. Configure, Start and Stop belong to the
// owner's thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/threads.h"
#include "platform/wave.h"
#include "recording/write_queue.h"

namespace camera {

class CaptureRing;

// What the capture thread tells the status callback after each buffer.
inline constexpr platform::DWORD kWaveBufferStored = 1;
inline constexpr platform::DWORD kWaveRingFull = 2;  // input paused, the buffer dropped

// The recorder's wave input: 64 buffers of 320 bytes of 16-bit mono at
// 8,000 Hz, read out in blocks of four buffers.
inline constexpr int kWaveBufferCount = 64;
inline constexpr int kWaveBufferBytes = 320;
inline constexpr int kWaveBuffersPerBlock = 4;

class WaveRecorder {
 public:
  // Called on the capture thread, outside the lock.
  using StatusCallback = std::function<void(platform::DWORD status)>;

  WaveRecorder();
  // Stops capture if it runs.
  ~WaveRecorder();
  WaveRecorder(const WaveRecorder&) = delete;
  WaveRecorder& operator=(const WaveRecorder&) = delete;

  // Refused (0) when configured already, priority >= 8, fewer than 16
  // buffers, buffers under 80 bytes, channels not 1 or 2, bits not 8 or 16,
  // or a rate other than 8000, 11025, 22050 or 44100. Otherwise fills the
  // PCM format and returns 1. Without a queue nothing leaves the ring but
  // through ReadRing.
  int Configure(StatusCallback callback, int priority, int buffer_count, int buffer_size,
                int channels, platform::DWORD rate, int bits, recording::WriteQueue* queue);
  // 1 when capture runs; 0 on any failure, with everything undone.
  int Start();
  // Ends capture: the thread, the buffers and the device. Also ends the
  // configuration.
  void Stop();
  // Starts the ring afresh and, when paused, the input again.
  void Resume();
  // Copies `n` bytes out of the ring in recording order: 1, or 0 when it
  // does not hold that many. Restarts a paused input once a buffer fits.
  int ReadRing(void* destination, std::size_t n);

  // The format record the clip's audio stream takes over.
  const platform::WAVEFORMATEX& format() const { return format_; }
  bool configured() const { return ready_; }
  bool paused() const;
  // The open input device (null when none), for the owner's checks.
  platform::HWAVEIN device() const { return device_; }

 private:
  platform::DWORD CaptureThreadMain();
  // One buffer back from the device; the status for the callback.
  platform::DWORD TakeBuffer(platform::WAVEHDR* header);
  void Requeue(platform::WAVEHDR& header, std::size_t index);
  // Under the lock: the input runs again at the capture priority.
  void RestartInput();
  bool OpenDevice();
  // After the thread ended: the ring's remainder as a last block.
  void QueueLastBlock();
  // Every buffer back, none prepared, the device closed, the memory freed.
  void ReleaseDevice();

  platform::WAVEFORMATEX format_;
  bool ready_ = false;
  StatusCallback callback_;
  int priority_ = 0;
  int buffer_count_ = 0;
  int buffer_bytes_ = 0;
  recording::WriteQueue* queue_ = nullptr;

  platform::ThreadHandle thread_;
  platform::EventHandle stop_event_;
  mutable platform::CriticalSection lock_;
  // Guarded by lock_ once capture runs.
  std::unique_ptr<CaptureRing> ring_;
  bool paused_ = false;
  // Silence that filled up the last buffer stored (the input stopped in it).
  std::size_t last_slot_padding_ = 0;
  std::vector<std::uint8_t> wave_area_;
  std::vector<platform::WAVEHDR> headers_;
  platform::HWAVEIN device_ = nullptr;
};

}  // namespace camera
