// Capture of one voice note from the default wave input into memory, with
// two 16,384-byte buffers handed back and forth with the device. The
// device reports to the recorder window (MM_WIM_OPEN, MM_WIM_DATA,
// MM_WIM_CLOSE), so everything here runs on the user-interface thread.
// While a capture is open the speaker is silent; its volume comes back
// when the device has closed.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "gallery/options/gallery_options.h"
#include "platform/wave.h"
#include "platform/window.h"

namespace gallery {

// Output device 0 silenced for as long as it lives.
class SilencedSpeaker {
 public:
  SilencedSpeaker();
  ~SilencedSpeaker();
  SilencedSpeaker(const SilencedSpeaker&) = delete;
  SilencedSpeaker& operator=(const SilencedSpeaker&) = delete;

 private:
  platform::DWORD saved_volume_ = 0;
};

class NoteCapture {
 public:
  static constexpr platform::DWORD kBufferBytes = 16384;

  NoteCapture() = default;
  NoteCapture(const NoteCapture&) = delete;
  NoteCapture& operator=(const NoteCapture&) = delete;
  ~NoteCapture();

  // Opens the input in the working format with its messages to `window`.
  // False when the device refuses the format (the speaker is back then).
  bool Open(platform::HWND window, const AudioOptions& audio);
  // MM_WIM_OPEN: both buffers queued and capture started.
  void Start();
  // MM_WIM_DATA: the bytes kept; the buffer queued again, or the device
  // closed when a stop was asked for or memory ran out (false then).
  bool TakeBuffer(platform::WAVEHDR* header);
  // Stop, close or a new picture: the device hands every buffer back,
  // the one being filled with what it holds.
  void RequestStop();
  // MM_WIM_CLOSE: the captured bytes; the buffers go and the speaker is
  // heard again.
  std::vector<platform::BYTE> Finish();

  // The window goes before the device could report: the bytes of every
  // buffer it hands back are taken at once, and the device closed.
  std::vector<platform::BYTE> FinishNow();

  bool open() const { return device_ != nullptr; }
  const platform::GSM610WAVEFORMAT& format() const { return format_; }

 private:
  void CloseDevice();

  platform::HWAVEIN device_ = nullptr;
  platform::GSM610WAVEFORMAT format_;
  std::optional<SilencedSpeaker> silence_;
  std::array<std::vector<char>, 2> buffers_;
  std::array<platform::WAVEHDR, 2> headers_{};
  std::vector<platform::BYTE> data_;
  bool stop_requested_ = false;
  bool closing_ = false;
};

}  // namespace gallery
