// Recording clips in Video mode: the shutter (and WM_CAM_TOGGLE_RECORD)
// starts and stops a clip; while it runs the frame pump hands every whole
// JPEG image to the clip's writer, the sound recorder feeds it 1,280-byte
// blocks from the microphone, and a counter thread counts the seconds. At
// the stop the writer drains its queue and the clip is closed with the
// rates measured over its length, or deleted when it holds nothing.
//
// Everything here runs on the user-interface thread; the writer thread,
// the capture thread and the counter thread meet it only through the write
// queue, the writer's signal words and posted messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "camera/video/wave_recorder.h"
#include "recording/avi_writer.h"

namespace camera {

class RecordingCounter;

// What the recorder asks of the program around it.
struct ClipRecorderProgram {
  // Greys (false) or enables again (true) Play, Menu..., About..., Still and
  // Video for the length of a clip.
  std::function<void(bool enabled)> enable_capture_commands;
};

// Where a toggle came from: the shutter, or WM_CAM_TOGGLE_RECORD.
enum class ToggleSource { kShutter, kMessage };

// Written before a clip whose file could not be created.
inline constexpr char kClipNotCreatedText[] =
    " could not be created (the storage is full, locked or gone). No clip is recorded.";
inline constexpr char kNoRoomForClipText[] = "Not enough space, can not record a video!";
inline constexpr char kNotConnectedText[] = "SDIO Connect Error!";

class ClipRecorder {
 public:
  explicit ClipRecorder(ClipRecorderProgram program = {});
  // A clip still open is closed (without messages); every thread ends.
  ~ClipRecorder();
  ClipRecorder(const ClipRecorder&) = delete;
  ClipRecorder& operator=(const ClipRecorder&) = delete;

  // Joins the camera session: the frame pump's video frames and the
  // paint's end of recording time come here. Again after the session was
  // opened.
  void Attach();

  // Starts a clip, or stops the one being recorded.
  void Toggle(ToggleSource source);
  // Exit and the end of the dialog: a clip being recorded is stopped and
  // told as any other.
  void FinishOpenClip();

  bool recording() const { return writer_ != nullptr; }
  // Seconds recorded so far in the running clip; -1 while idle.
  int recorded_seconds() const;
  // The path of the clip last started.
  const std::string& clip_path() const { return clip_path_; }
  // The sound recorder, for its tests and owner.
  const WaveRecorder& wave_recorder() const { return wave_; }

 private:
  void Start();
  void Stop();
  bool AppendVideoFrame(const std::uint8_t* jpeg, std::size_t length);
  // Waits for the writer thread to write out its queue.
  void WaitForWriter();
  void Tell(const std::string& text, platform::UINT icon) const;

  ClipRecorderProgram program_;
  // Outlive the writer, whose thread uses them.
  recording::WriterSignals signals_;
  std::unique_ptr<recording::AviWriter> writer_;
  WaveRecorder wave_;
  std::unique_ptr<RecordingCounter> counter_;
  bool with_audio_ = false;
  bool writer_started_ = false;
  platform::DWORD start_tick_ = 0;
  std::string clip_path_;
  // A stop the session asked for by message arrives after the clip was
  // already stopped otherwise: that message must not start a new one.
  bool stale_stop_message_ = false;
  // What the session's hooks hold on to: gone with this instance.
  std::shared_ptr<ClipRecorder*> self_;
};

}  // namespace camera
