#include "audio/wave_in_device.h"

#include <algorithm>
#include <cstring>

namespace platform::audio {

WaveInDevice::WaveInDevice(UINT device_id, const WAVEFORMATEX& format, DeviceNotifier notifier)
    : device_id_(device_id), format_(format), notifier_(notifier), encoder_(format_) {}

bool WaveInDevice::HasQueued(const WAVEHDR* header) const {
  return std::find(queue_.begin(), queue_.end(), header) != queue_.end();
}

void WaveInDevice::Add(WAVEHDR* header) {
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  header->dwBytesRecorded = 0;
  queue_.push_back(header);
}

void WaveInDevice::Start(std::uint64_t now_ms) {
  if (running_) return;
  running_ = true;
  run_start_ms_ = now_ms;
  bytes_before_run_ = bytes_taken_;
}

std::vector<WAVEHDR*> WaveInDevice::Stop(std::uint64_t now_ms, const InputSignal& signal) {
  std::vector<WAVEHDR*> done = Advance(now_ms, signal);
  // The buffer being filled comes back with what it holds; empty ones wait.
  if (!queue_.empty() && queue_.front()->dwBytesRecorded > 0) {
    Finish(queue_.front(), &done);
    queue_.pop_front();
  }
  running_ = false;
  return done;
}

std::vector<WAVEHDR*> WaveInDevice::Reset(std::uint64_t now_ms, const InputSignal& signal) {
  std::vector<WAVEHDR*> done = Advance(now_ms, signal);
  for (WAVEHDR* header : queue_) Finish(header, &done);
  queue_.clear();
  running_ = false;
  bytes_before_run_ = bytes_taken_ = 0;
  encoder_ = SignalEncoder(format_);
  return done;
}

std::uint64_t WaveInDevice::BytesMadeBy(std::uint64_t now_ms) const {
  return bytes_before_run_ + format_.BytesAfter(now_ms - run_start_ms_);
}

std::size_t WaveInDevice::RoomIn(const WAVEHDR* header) const {
  const std::size_t room = header->dwBufferLength - header->dwBytesRecorded;
  return room - room % format_.block_bytes();
}

void WaveInDevice::Finish(WAVEHDR* header, std::vector<WAVEHDR*>* done) {
  header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  done->push_back(header);
}

std::vector<WAVEHDR*> WaveInDevice::Advance(std::uint64_t now_ms, const InputSignal& signal) {
  std::vector<WAVEHDR*> done;
  if (!running_) return done;
  const std::uint64_t made = BytesMadeBy(now_ms);
  std::vector<BYTE> bytes;
  while (bytes_taken_ < made) {
    if (queue_.empty()) {
      bytes_taken_ = made;  // nobody listening: the sound is lost
      break;
    }
    WAVEHDR* header = queue_.front();
    const std::size_t take = std::min<std::uint64_t>(RoomIn(header), made - bytes_taken_);
    const std::size_t blocks = take / format_.block_bytes();
    bytes.clear();
    encoder_.Encode(signal, bytes_taken_ / format_.block_bytes() * format_.block_frames(), blocks,
                    &bytes);
    std::memcpy(header->lpData + header->dwBytesRecorded, bytes.data(), bytes.size());
    header->dwBytesRecorded += static_cast<DWORD>(bytes.size());
    bytes_taken_ += bytes.size();
    if (RoomIn(header) == 0) {
      Finish(header, &done);
      queue_.pop_front();
    }
  }
  return done;
}

std::optional<std::uint64_t> WaveInDevice::NextDeadline() const {
  if (!running_ || queue_.empty()) return std::nullopt;
  const std::uint64_t full_at = bytes_taken_ + RoomIn(queue_.front());
  return run_start_ms_ + format_.MsFor(full_at - bytes_before_run_);
}

}  // namespace platform::audio
