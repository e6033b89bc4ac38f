#include "sound_ring.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/messages.h"
#include "platform/wav_file.h"

namespace clip {

namespace {

using platform::DWORD;

constexpr DWORD kAllowedRates[] = {8000, 11025, 22050, 44100};

SoundRingConfig Checked(SoundRingConfig config) {
  const SoundRingConfig defaults;
  if (config.priority < 0 || config.priority > 7) config.priority = defaults.priority;
  if (config.block_count < SoundRing::kDeviceBuffers) config.block_count = defaults.block_count;
  if (config.block_bytes < 80) config.block_bytes = defaults.block_bytes;
  if (config.channels != 1 && config.channels != 2) config.channels = defaults.channels;
  if (std::ranges::find(kAllowedRates, config.rate) == std::end(kAllowedRates)) {
    config.rate = defaults.rate;
  }
  if (config.bits != 8 && config.bits != 16) config.bits = defaults.bits;
  return config;
}

}  // namespace

SoundRing::SoundRing(const SoundRingConfig& config)
    : config_(Checked(config)),
      format_(platform::PcmFormat(config_.channels, config_.rate, config_.bits)),
      ring_(std::size_t{config_.block_bytes} * config_.block_count) {
  for (std::size_t i = 0; i < kDeviceBuffers; ++i) {
    buffers_[i].resize(config_.block_bytes);
    headers_[i].lpData = buffers_[i].data();
    headers_[i].dwBufferLength = config_.block_bytes;
    headers_[i].dwUser = i;
  }
}

SoundRing::~SoundRing() { Close(); }

bool SoundRing::Open() {
  if (device_) return true;
  callback_ready_ = platform::CreateEvent(true, false);
  callback_thread_ = platform::CreateThread([this] { return CallbackLoop(); }, "clip sound");
  platform::SetThreadPriority(callback_thread_, config_.priority);
  platform::WaitForSingleObject(callback_ready_, platform::INFINITE);
  const DWORD thread_id = callback_thread_->id();
  const platform::UINT devices = platform::WaveOutGetNumDevs();
  for (platform::UINT id = 0; id < devices && !device_; ++id) {
    platform::HWAVEOUT device = nullptr;
    // Opened paused: it starts once a full queue is waiting.
    if (platform::WaveOutOpen(&device, id, &format_, thread_id, 0, platform::CALLBACK_THREAD) !=
        platform::MMSYSERR_NOERROR) {
      continue;
    }
    platform::WaveOutPause(device);
    std::lock_guard guard(lock_);
    for (platform::WAVEHDR& header : headers_) {
      platform::WaveOutPrepareHeader(device, &header, sizeof header);
    }
    queued_.fill(false);
    playing_ = false;
    device_ = device;
  }
  if (!device_) {
    platform::PostThreadMessage(thread_id, platform::WM_QUIT, 0, 0);
    platform::WaitForSingleObject(callback_thread_, platform::INFINITE);
    callback_thread_.reset();
  }
  return device_ != nullptr;
}

void SoundRing::Close() {
  platform::HWAVEOUT device = nullptr;
  {
    std::lock_guard guard(lock_);
    device = device_;
    device_ = nullptr;
  }
  if (device) {
    platform::WaveOutReset(device);
    for (platform::WAVEHDR& header : headers_) {
      platform::WaveOutUnprepareHeader(device, &header, sizeof header);
    }
    platform::WaveOutClose(device);
  }
  if (callback_thread_) {
    platform::PostThreadMessage(callback_thread_->id(), platform::WM_QUIT, 0, 0);
    platform::WaitForSingleObject(callback_thread_, platform::INFINITE);
    callback_thread_.reset();
  }
}

DWORD SoundRing::FreeBytes() {
  std::lock_guard guard(lock_);
  return static_cast<DWORD>((config_.block_count - waiting_) * config_.block_bytes);
}

bool SoundRing::WriteBlock(std::span<const std::uint8_t> block) {
  std::lock_guard guard(lock_);
  if (waiting_ == config_.block_count || block.size() < config_.block_bytes) return false;
  const std::size_t write_block = (read_block_ + waiting_) % config_.block_count;
  std::memcpy(ring_.data() + write_block * config_.block_bytes, block.data(), config_.block_bytes);
  ++waiting_;
  QueueWaiting();
  return true;
}

void SoundRing::Flush() {
  platform::HWAVEOUT device = nullptr;
  {
    std::lock_guard guard(lock_);
    waiting_ = 0;
    device = device_;
  }
  // Reset hands every queued buffer back; with nothing waiting each is set
  // free and the device paused.
  if (device) platform::WaveOutReset(device);
}

void SoundRing::FillAndWrite(std::size_t buffer) {
  std::memcpy(buffers_[buffer].data(), ring_.data() + read_block_ * config_.block_bytes,
              config_.block_bytes);
  read_block_ = (read_block_ + 1) % config_.block_count;
  --waiting_;
  queued_[buffer] = true;
  platform::WaveOutWrite(device_, &headers_[buffer], sizeof headers_[buffer]);
}

void SoundRing::QueueWaiting() {
  if (!device_) {
    // No device: the sound is dropped so that the writer never stalls.
    waiting_ = 0;
    return;
  }
  // The highest-numbered free buffer takes the oldest block.
  for (std::size_t i = kDeviceBuffers; i-- > 0 && waiting_ > 0;) {
    if (!queued_[i]) FillAndWrite(i);
  }
  if (!playing_ && std::ranges::all_of(queued_, [](bool queued) { return queued; })) {
    platform::WaveOutRestart(device_);
    playing_ = true;
  }
}

void SoundRing::OnBufferDone(platform::WAVEHDR* header) {
  std::lock_guard guard(lock_);
  if (!device_) return;
  const std::size_t buffer = header->dwUser;
  if (buffer >= kDeviceBuffers) return;
  queued_[buffer] = false;
  if (waiting_ > 0 && playing_) {
    FillAndWrite(buffer);
    return;
  }
  if (std::ranges::none_of(queued_, [](bool queued) { return queued; })) {
    platform::WaveOutPause(device_);
    playing_ = false;
    QueueWaiting();
  }
}

DWORD SoundRing::CallbackLoop() {
  platform::MSG msg;
  // Makes this thread's queue before the device is told about it.
  platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_NOREMOVE);
  platform::SetEvent(callback_ready_);
  while (platform::GetMessage(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == platform::MM_WOM_DONE) {
      OnBufferDone(reinterpret_cast<platform::WAVEHDR*>(msg.lParam));
    }
  }
  return 0;
}

}  // namespace clip
