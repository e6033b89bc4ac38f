// The capture thread polls its message queue for the device's buffers and
// otherwise waits a few milliseconds on its stop event. Every buffer is
// handled under the lock and queued to the device again at once, so the
// device never runs dry while the ring has room.
#include "camera/video/wave_recorder.h"

#include <algorithm>
#include <new>

#include "capture_ring.h"
#include "platform/messages.h"

namespace camera {

using namespace platform;

namespace {

constexpr int kPriorityLimit = 8;
constexpr int kFewestBuffers = 16;
constexpr int kSmallestBuffer = 80;
constexpr DWORD kRates[] = {8000, 11025, 22050, 44100};
// While stopping or paused the capture thread gives way to the others.
constexpr int kQuietPriority = THREAD_PRIORITY_NORMAL;
constexpr DWORD kPollMs = 5;
constexpr DWORD kStopWaitMs = 10'000;
constexpr DWORD kTerminatedExitCode = 1;

bool KnownRate(DWORD rate) {
  for (DWORD known : kRates) {
    if (rate == known) return true;
  }
  return false;
}

}  // namespace

WaveRecorder::WaveRecorder() : ring_(std::make_unique<CaptureRing>()) {}

WaveRecorder::~WaveRecorder() { Stop(); }

int WaveRecorder::Configure(StatusCallback callback, int priority, int buffer_count,
                            int buffer_size, int channels, DWORD rate, int bits,
                            recording::WriteQueue* queue) {
  if (ready_ || priority < 0 || priority >= kPriorityLimit || buffer_count < kFewestBuffers ||
      buffer_size < kSmallestBuffer || (channels != 1 && channels != 2) ||
      (bits != 8 && bits != 16) || !KnownRate(rate)) {
    return 0;
  }
  format_ = WAVEFORMATEX{};
  format_.wFormatTag = WAVE_FORMAT_PCM;
  format_.nChannels = static_cast<WORD>(channels);
  format_.nSamplesPerSec = rate;
  format_.nBlockAlign = static_cast<WORD>(bits * channels / 8);
  format_.nAvgBytesPerSec = format_.nBlockAlign * rate;
  format_.wBitsPerSample = static_cast<WORD>(bits);
  format_.cbSize = 0;
  callback_ = std::move(callback);
  priority_ = priority;
  buffer_count_ = buffer_count;
  buffer_bytes_ = buffer_size;
  queue_ = queue;
  ready_ = true;
  return 1;
}

int WaveRecorder::Start() {
  if (thread_ || !ready_) return 0;
  stop_event_ = CreateEvent(false, false);
  thread_ = CreateThread([this] { return CaptureThreadMain(); }, "wave capture");
  DWORD exit_code = STILL_ACTIVE;
  if (!thread_ || !stop_event_ || !GetExitCodeThread(thread_, &exit_code) ||
      exit_code != STILL_ACTIVE) {
    Stop();
    return 0;
  }
  if (!OpenDevice()) {
    Stop();
    return 0;
  }
  std::lock_guard lock(lock_);
  for (int i = 0; i < buffer_count_; ++i) Requeue(headers_[i], static_cast<std::size_t>(i));
  ring_->Unset();
  SetThreadPriority(thread_, priority_);
  paused_ = false;
  WaveInStart(device_);
  return 1;
}

bool WaveRecorder::OpenDevice() {
  std::lock_guard lock(lock_);
  try {
    wave_area_.assign(static_cast<std::size_t>(buffer_count_) * buffer_bytes_, 0);
    last_slot_padding_ = 0;
    ring_->Allocate(static_cast<std::size_t>(buffer_count_),
                    static_cast<std::size_t>(buffer_bytes_));
    headers_.assign(static_cast<std::size_t>(buffer_count_), WAVEHDR{});
  } catch (const std::bad_alloc&) {
    return false;
  }
  const UINT devices = WaveInGetNumDevs();
  for (UINT id = 0; id < devices; ++id) {
    HWAVEIN device = nullptr;
    if (WaveInOpen(&device, id, &format_, thread_->id(), 0, CALLBACK_THREAD) == MMSYSERR_NOERROR) {
      device_ = device;
      return true;
    }
  }
  return false;
}

void WaveRecorder::Requeue(WAVEHDR& header, std::size_t index) {
  header = WAVEHDR{};
  header.lpData = reinterpret_cast<char*>(wave_area_.data() + index * buffer_bytes_);
  header.dwBufferLength = static_cast<DWORD>(buffer_bytes_);
  header.dwUser = index;
  WaveInPrepareHeader(device_, &header, sizeof header);
  WaveInAddBuffer(device_, &header, sizeof header);
}

void WaveRecorder::Stop() {
  ready_ = false;
  if (thread_) {
    SetThreadPriority(thread_, kQuietPriority);
    // The input stops first: the buffer it was filling comes back before
    // the thread is told to end, and the thread takes it on its way out.
    if (device_) WaveInStop(device_);
    SetEvent(stop_event_);
    if (WaitForSingleObject(thread_, kStopWaitMs) != WAIT_OBJECT_0) {
      // Stuck in a wait: unwound there, its lock let go, so the device can
      // still be closed below.
      TerminateThread(thread_, kTerminatedExitCode);
      WaitForSingleObject(thread_, INFINITE);
    }
    thread_.reset();
  }
  QueueLastBlock();
  ReleaseDevice();
  stop_event_.reset();
}

void WaveRecorder::QueueLastBlock() {
  std::lock_guard lock(lock_);
  // What is left in the ring is less than a block: from half a block on it
  // goes into the clip padded with silence, below that it is dropped, so
  // the sound ends within half a block (40 ms) of the moment it stopped.
  const std::size_t block = static_cast<std::size_t>(buffer_bytes_) * kWaveBuffersPerBlock;
  const std::size_t left = ring_->fill();
  const std::size_t heard = left - std::min(left, last_slot_padding_);
  if (!queue_ || heard == 0 || heard * 2 < block) return;
  std::vector<std::uint8_t> bytes(block, 0);
  if (ring_->Read(bytes.data(), left)) {
    queue_->Add(recording::kQueueAudio, bytes.data(), static_cast<LONG>(block));
  }
}

void WaveRecorder::ReleaseDevice() {
  std::lock_guard lock(lock_);
  if (device_) {
    WaveInReset(device_);
    for (WAVEHDR& header : headers_) {
      if (header.dwFlags & WHDR_PREPARED) WaveInUnprepareHeader(device_, &header, sizeof header);
    }
    WaveInClose(device_);
    device_ = nullptr;
  }
  headers_.clear();
  headers_.shrink_to_fit();
  wave_area_.clear();
  wave_area_.shrink_to_fit();
  ring_->Free();
  paused_ = false;
}

void WaveRecorder::Resume() {
  std::lock_guard lock(lock_);
  ring_->Unset();
  if (paused_) RestartInput();
}

int WaveRecorder::ReadRing(void* destination, std::size_t n) {
  std::lock_guard lock(lock_);
  if (!ring_->Read(static_cast<std::uint8_t*>(destination), n)) return 0;
  if (paused_ && ring_->HasRoomForSlot()) RestartInput();
  return 1;
}

bool WaveRecorder::paused() const {
  std::lock_guard lock(lock_);
  return paused_;
}

void WaveRecorder::RestartInput() {
  if (thread_) SetThreadPriority(thread_, priority_);
  if (device_) WaveInStart(device_);
  paused_ = false;
}

DWORD WaveRecorder::CaptureThreadMain() {
  Waitable* stop[] = {stop_event_.get()};
  for (;;) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != MM_WIM_DATA) continue;
      const DWORD status = TakeBuffer(reinterpret_cast<WAVEHDR*>(msg.lParam));
      if (callback_) callback_(status);
    }
    if (MsgWaitForMultipleObjects(stop, false, kPollMs) == WAIT_OBJECT_0) {
      // Buffers the stopped input gave back meanwhile are still taken.
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == MM_WIM_DATA) TakeBuffer(reinterpret_cast<WAVEHDR*>(msg.lParam));
      }
      return 0;
    }
  }
}

DWORD WaveRecorder::TakeBuffer(WAVEHDR* header) {
  std::lock_guard lock(lock_);
  // A buffer of a device closed meanwhile is not ours any more.
  if (!device_ || headers_.empty() || header < headers_.data() ||
      header >= headers_.data() + headers_.size()) {
    return kWaveBufferStored;
  }
  WaveInUnprepareHeader(device_, header, sizeof *header);
  const std::size_t index = header->dwUser;
  if (!ring_->started()) ring_->Begin(index);
  DWORD status = kWaveBufferStored;
  if (!ring_->HasRoomForSlot()) {
    SetThreadPriority(thread_, kQuietPriority);
    WaveInStop(device_);
    paused_ = true;
    status = kWaveRingFull;
  } else {
    ring_->StoreSlot(reinterpret_cast<const std::uint8_t*>(header->lpData),
                     header->dwBytesRecorded);
    last_slot_padding_ = static_cast<std::size_t>(buffer_bytes_) -
                         std::min<std::size_t>(header->dwBytesRecorded, buffer_bytes_);
    const std::size_t block = static_cast<std::size_t>(buffer_bytes_) * kWaveBuffersPerBlock;
    if (queue_ && ring_->fill() >= block) {
      std::vector<std::uint8_t> bytes(block);
      if (ring_->Read(bytes.data(), block)) {
        queue_->Add(recording::kQueueAudio, bytes.data(), static_cast<LONG>(block));
      }
    }
  }
  Requeue(*header, index);
  return status;
}

}  // namespace camera
