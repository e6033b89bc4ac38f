#include "audio/wave_out_device.h"

#include <algorithm>

namespace platform::audio {

WaveOutDevice::WaveOutDevice(UINT device_id, const WAVEFORMATEX& format, DeviceNotifier notifier)
    : device_id_(device_id), format_(format), notifier_(notifier) {}

bool WaveOutDevice::HasQueued(const WAVEHDR* header) const {
  return std::find(queue_.begin(), queue_.end(), header) != queue_.end();
}

std::uint64_t WaveOutDevice::Duration(const WAVEHDR* header) const {
  return format_.MsFor(header->dwBufferLength);
}

void WaveOutDevice::StartHead(std::uint64_t now_ms) {
  head_first_start_ms_ = head_start_ms_ = now_ms;
  head_played_ms_ = 0;
  head_announced_ = false;
}

void WaveOutDevice::Write(WAVEHDR* header, std::uint64_t now_ms) {
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  queue_.push_back(header);
  if (queue_.size() == 1) StartHead(now_ms);
}

void WaveOutDevice::Pause(std::uint64_t now_ms) {
  if (paused_) return;
  if (!queue_.empty()) head_played_ms_ += now_ms - head_start_ms_;
  paused_ = true;
}

void WaveOutDevice::Restart(std::uint64_t now_ms) {
  if (!paused_) return;
  paused_ = false;
  if (queue_.empty()) return;
  if (head_played_ms_ == 0) head_first_start_ms_ = now_ms;
  head_start_ms_ = now_ms;
}

std::vector<WAVEHDR*> WaveOutDevice::Reset(std::uint64_t) {
  std::vector<WAVEHDR*> done(queue_.begin(), queue_.end());
  for (WAVEHDR* header : done) header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  queue_.clear();
  head_played_ms_ = 0;
  return done;
}

std::vector<WAVEHDR*> WaveOutDevice::Advance(std::uint64_t now_ms, DWORD volume,
                                             std::vector<PlayedBuffer>* played) {
  std::vector<WAVEHDR*> done;
  while (!paused_ && !queue_.empty()) {
    WAVEHDR* header = queue_.front();
    const std::uint64_t end_ms = head_start_ms_ + Duration(header) - head_played_ms_;
    if (now_ms < end_ms) break;
    PlayedBuffer record;
    record.device_id = device_id_;
    record.format = format_.wave();
    record.data.assign(header->lpData, header->lpData + header->dwBufferLength);
    record.start_ms = head_first_start_ms_;
    record.end_ms = end_ms;
    record.volume = volume;
    played->push_back(std::move(record));
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    done.push_back(header);
    queue_.pop_front();
    // The next buffer follows without a gap.
    if (!queue_.empty()) StartHead(end_ms);
  }
  return done;
}

std::optional<std::uint64_t> WaveOutDevice::NextDeadline() const {
  if (paused_ || queue_.empty()) return std::nullopt;
  return head_start_ms_ + Duration(queue_.front()) - head_played_ms_;
}

const WAVEHDR* WaveOutDevice::TakeNewlyStarted() {
  if (paused_ || queue_.empty() || head_announced_) return nullptr;
  head_announced_ = true;
  return queue_.front();
}

}  // namespace platform::audio
