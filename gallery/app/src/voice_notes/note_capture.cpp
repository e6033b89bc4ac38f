#include "note_capture.h"

#include <new>

#include "note_writer.h"
#include "platform/message_box.h"

namespace gallery {

using namespace platform;

namespace {

constexpr HWAVEOUT kSpeaker = nullptr;  // wave output device 0

}  // namespace

SilencedSpeaker::SilencedSpeaker() {
  WaveOutGetVolume(kSpeaker, &saved_volume_);
  WaveOutSetVolume(kSpeaker, 0);
}

SilencedSpeaker::~SilencedSpeaker() { WaveOutSetVolume(kSpeaker, saved_volume_); }

NoteCapture::~NoteCapture() {
  if (device_) Finish();
}

bool NoteCapture::Open(HWND window, const AudioOptions& audio) {
  silence_.emplace();
  format_ = NoteFormatRecord(audio);
  for (std::vector<char>& buffer : buffers_) buffer.assign(kBufferBytes, 0);
  data_.clear();
  stop_requested_ = false;
  closing_ = false;
  if (WaveInOpen(&device_, WAVE_MAPPER, &format_.wfx, reinterpret_cast<DWORD_PTR>(window), 0,
                 CALLBACK_WINDOW) != MMSYSERR_NOERROR) {
    device_ = nullptr;
    buffers_ = {};
    silence_.reset();
    return false;
  }
  for (std::size_t i = 0; i < headers_.size(); ++i) {
    headers_[i] = WAVEHDR{};
    headers_[i].lpData = buffers_[i].data();
    headers_[i].dwBufferLength = kBufferBytes;
    headers_[i].dwLoops = 1;
    WaveInPrepareHeader(device_, &headers_[i], sizeof(WAVEHDR));
  }
  return true;
}

void NoteCapture::Start() {
  if (!device_) return;
  for (WAVEHDR& header : headers_) WaveInAddBuffer(device_, &header, sizeof header);
  WaveInStart(device_);
}

bool NoteCapture::TakeBuffer(WAVEHDR* header) {
  const auto* bytes = reinterpret_cast<const BYTE*>(header->lpData);
  try {
    data_.insert(data_.end(), bytes, bytes + header->dwBytesRecorded);
  } catch (const std::bad_alloc&) {
    // What was captured so far is kept; the recording ends here.
    CloseDevice();
    MessageBeep(MB_ICONEXCLAMATION);
    return false;
  }
  if (stop_requested_ || closing_) {
    CloseDevice();
  } else {
    WaveInAddBuffer(device_, header, sizeof *header);
  }
  return true;
}

void NoteCapture::RequestStop() {
  if (!device_ || stop_requested_) return;
  stop_requested_ = true;
  WaveInReset(device_);
}

void NoteCapture::CloseDevice() {
  if (!device_ || closing_) return;
  closing_ = true;
  WaveInReset(device_);
  for (WAVEHDR& header : headers_) WaveInUnprepareHeader(device_, &header, sizeof header);
  WaveInClose(device_);
}

std::vector<BYTE> NoteCapture::Finish() {
  CloseDevice();
  device_ = nullptr;
  buffers_ = {};
  silence_.reset();
  stop_requested_ = false;
  closing_ = false;
  return std::move(data_);
}

std::vector<BYTE> NoteCapture::FinishNow() {
  if (device_ && !closing_) {
    WaveInReset(device_);
    // Buffers taken so far were queued again; what is done now is new.
    for (const WAVEHDR& header : headers_) {
      if (header.dwFlags & WHDR_DONE) {
        const auto* bytes = reinterpret_cast<const BYTE*>(header.lpData);
        data_.insert(data_.end(), bytes, bytes + header.dwBytesRecorded);
      }
    }
  }
  return Finish();
}

}  // namespace gallery
