// One open wave input device: the buffers queued to it and how far the
// stream has come on the handheld's clock. Not locked; the audio service
// serialises every call.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "audio/device_notifier.h"
#include "audio/stream_format.h"

namespace platform::audio {

class WaveInDevice {
 public:
  WaveInDevice(UINT device_id, const WAVEFORMATEX& format, DeviceNotifier notifier);

  UINT device_id() const { return device_id_; }
  const DeviceNotifier& notifier() const { return notifier_; }
  bool HasQueued(const WAVEHDR* header) const;
  std::size_t queued_count() const { return queue_.size(); }

  void Add(WAVEHDR* header);
  void Start(std::uint64_t now_ms);
  // Both return the buffers that come back, in order.
  std::vector<WAVEHDR*> Stop(std::uint64_t now_ms, const InputSignal& signal);
  std::vector<WAVEHDR*> Reset(std::uint64_t now_ms, const InputSignal& signal);

  // Records what the microphone heard up to now into the queued buffers;
  // returns the buffers that filled up.
  std::vector<WAVEHDR*> Advance(std::uint64_t now_ms, const InputSignal& signal);
  // When the first queued buffer will be full, if the device is running.
  std::optional<std::uint64_t> NextDeadline() const;

 private:
  std::uint64_t BytesMadeBy(std::uint64_t now_ms) const;
  std::size_t RoomIn(const WAVEHDR* header) const;
  static void Finish(WAVEHDR* header, std::vector<WAVEHDR*>* done);

  UINT device_id_;
  StreamFormat format_;
  DeviceNotifier notifier_;
  SignalEncoder encoder_;
  std::deque<WAVEHDR*> queue_;
  bool running_ = false;
  std::uint64_t run_start_ms_ = 0;
  // Stream bytes made before the current run, and taken so far (into
  // buffers, or lost while no buffer was queued).
  std::uint64_t bytes_before_run_ = 0;
  std::uint64_t bytes_taken_ = 0;
};

}  // namespace platform::audio
