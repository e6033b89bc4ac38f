// One open wave output device: the buffers queued to it, which one plays
// and since when on the handheld's clock. Not locked; the audio service
// serialises every call.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "audio/device_notifier.h"
#include "audio/stream_format.h"
#include "platform/audio.h"

namespace platform::audio {

class WaveOutDevice {
 public:
  WaveOutDevice(UINT device_id, const WAVEFORMATEX& format, DeviceNotifier notifier);

  UINT device_id() const { return device_id_; }
  const WAVEFORMATEX& format() const { return format_.wave(); }
  const DeviceNotifier& notifier() const { return notifier_; }
  bool HasQueued(const WAVEHDR* header) const;

  void Write(WAVEHDR* header, std::uint64_t now_ms);
  void Pause(std::uint64_t now_ms);
  void Restart(std::uint64_t now_ms);
  // Returns every queued buffer unplayed.
  std::vector<WAVEHDR*> Reset(std::uint64_t now_ms);

  // Plays up to now; returns the buffers that finished, and what they were
  // in *played.
  std::vector<WAVEHDR*> Advance(std::uint64_t now_ms, DWORD volume,
                                std::vector<PlayedBuffer>* played);
  // When the playing buffer ends.
  std::optional<std::uint64_t> NextDeadline() const;
  // The buffer that started playing since the last call (for the host's
  // speaker), or null.
  const WAVEHDR* TakeNewlyStarted();

 private:
  std::uint64_t Duration(const WAVEHDR* header) const;
  void StartHead(std::uint64_t now_ms);

  UINT device_id_;
  StreamFormat format_;
  DeviceNotifier notifier_;
  std::deque<WAVEHDR*> queue_;
  bool paused_ = false;
  // The first buffer of the queue plays from head_start_ms_; it had played
  // head_played_ms_ before the last pause.
  std::uint64_t head_first_start_ms_ = 0;
  std::uint64_t head_start_ms_ = 0;
  std::uint64_t head_played_ms_ = 0;
  bool head_announced_ = false;
};

}  // namespace platform::audio
