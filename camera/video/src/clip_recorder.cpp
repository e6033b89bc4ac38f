#include "camera/video/clip_recorder.h"

#include "camera/session/camera_messages.h"
#include "camera/session/camera_state.h"
#include "camera/session/free_space.h"
#include "camera/session/preview_window.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_writers.h"
#include "camera/strings/string_library.h"
#include "camera/video/clip_names.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/time.h"
#include "recording_counter.h"

namespace camera {

using namespace platform;

namespace {

constexpr UINT kCaptionString = 50004;
constexpr UINT kClipDeletedString = 50098;
constexpr UINT kClipSavedString = 50099;

constexpr DWORD kMainHeaderFlags = 0;
constexpr LONG kLargeWidth = 320, kLargeHeight = 240;
constexpr LONG kSmallWidth = 160, kSmallHeight = 120;
constexpr int kWaveCapturePriority = 0;
constexpr int kMonoChannels = 1;
constexpr DWORD kWaveRate = 8000;
constexpr int kWaveBits = 16;
// A clip no longer than its reserved header area holds nothing.
constexpr LONG kEmptyClipLimit = 4'097;
// The wait for the writer: short waits with pauses between them.
constexpr DWORD kWriterWaitMs = 50;
constexpr DWORD kWriterPauseMs = 100;

}  // namespace

ClipRecorder::ClipRecorder(ClipRecorderProgram program)
    : program_(std::move(program)),
      counter_(std::make_unique<RecordingCounter>()),
      self_(std::make_shared<ClipRecorder*>(this)) {}

ClipRecorder::~ClipRecorder() {
  counter_->Stop();
  wave_.Stop();
  if (writer_) {
    // The program is going without its dialog: the clip is still made
    // whole, only nobody is told.
    signals_.stop = 1;
    writer_->Close();
    writer_.reset();
  }
}

void ClipRecorder::Attach() {
  SessionHooks& hooks = Camera().hooks;
  std::weak_ptr<ClipRecorder*> self = self_;
  hooks.append_video_frame = [self](const std::uint8_t* jpeg, std::size_t length) {
    std::shared_ptr<ClipRecorder*> alive = self.lock();
    return alive && (*alive)->AppendVideoFrame(jpeg, length);
  };
  hooks.stop_recording = [] {
    // The same once-per-clip request as the frame pump's.
    CameraState& camera = Camera();
    if (camera.record_stop_requested) return;
    camera.record_stop_requested = true;
    PostMessage(camera.main_window, WM_CAM_TOGGLE_RECORD, 0, 0);
  };
}

int ClipRecorder::recorded_seconds() const { return counter_->seconds(); }

void ClipRecorder::Toggle(ToggleSource source) {
  if (source == ToggleSource::kMessage && stale_stop_message_) {
    stale_stop_message_ = false;
    return;
  }
  if (writer_) {
    // A stop the session posted is still on its way when the shutter ends
    // the clip first.
    stale_stop_message_ = source != ToggleSource::kMessage && Camera().record_stop_requested;
    Stop();
  } else {
    Start();
  }
}

void ClipRecorder::FinishOpenClip() {
  if (writer_) Toggle(ToggleSource::kShutter);
}

void ClipRecorder::Tell(const std::string& text, UINT icon) const {
  const std::string caption = LocalizedText(kCaptionString);
  MessageBox(Camera().main_window, text, caption, MB_OK | icon);
}

void ClipRecorder::Start() {
  CameraState& camera = Camera();
  if (RecordingSecondsLeft() == 0) {
    Tell(kNoRoomForClipText, MB_ICONSTOP);
    return;
  }
  if (!camera.device) {
    Tell(kNotConnectedText, MB_ICONINFORMATION);
    return;
  }
  // A folder removed behind the camera's back gives way to the nearest
  // one above it that exists, as for pictures.
  FallBackFromMissingFolderInUse();
  const CameraSettings& settings = Settings();
  clip_path_ = ClipPath(settings.avino);
  std::unique_ptr<recording::AviWriter> writer =
      recording::AviWriter::Create(clip_path_, kMainHeaderFlags);
  if (!writer) return;
  if (writer->CurrentPosition() < 0) {
    // Recording into a file that is not there would end as an "empty" clip
    // minutes later: say so now. Nothing was created, and a file of that
    // name that refused to be replaced is not ours to delete.
    writer.reset();
    Tell(clip_path_ + kClipNotCreatedText, MB_ICONERROR);
    return;
  }

  signals_.stop = 0;
  signals_.error = 0;
  signals_.stopped = CreateEvent(false, false);
  camera.ResetClipFlags();
  camera.recording = true;
  if (program_.enable_capture_commands) program_.enable_capture_commands(false);

  const bool small = settings.aviresolution == 1;
  recording::AviStream* video =
      writer->AddVideoStream(recording::MakeFourCc("MJPG"), small ? kSmallWidth : kLargeWidth,
                             small ? kSmallHeight : kLargeHeight, recording::kVideoRateHint);
  if (video) video->SetQuality(recording::kVideoQuality);
  with_audio_ = settings.recordwithaudio != 0;
  if (with_audio_) {
    wave_.Configure(
        [this](DWORD status) {
          if (status == kWaveRingFull) wave_.Resume();
        },
        kWaveCapturePriority, kWaveBufferCount, kWaveBufferBytes, kMonoChannels, kWaveRate,
        kWaveBits, &writer->queue());
    const WAVEFORMATEX& wave = wave_.format();
    writer->AddAudioStream(
        recording::WaveFormat{wave.wFormatTag, wave.nChannels, wave.nSamplesPerSec,
                              wave.nAvgBytesPerSec, wave.nBlockAlign, wave.wBitsPerSample,
                              wave.cbSize},
        recording::kAudioRateHint);
    // Without a device that takes the format the clip goes on without sound
    // chunks, its audio stream header still there.
    wave_.Start();
  }
  writer_started_ = writer->Start(signals_) == 0;
  writer_ = std::move(writer);
  camera.clip_open = true;
  start_tick_ = GetTickCount();
  counter_->Start(camera.main_window);
  InvalidatePreview();
}

bool ClipRecorder::AppendVideoFrame(const std::uint8_t* jpeg, std::size_t length) {
  if (!writer_ || signals_.error.load() != 0) return false;
  return writer_->QueueBuffer(recording::kQueueVideo, jpeg, static_cast<LONG>(length)) == 0;
}

void ClipRecorder::Stop() {
  CameraState& camera = Camera();
  // The counter has ended before the clip's length is taken: no second is
  // added once the clip is over.
  counter_->Stop();
  const DWORD length_ms = GetTickCount() - start_tick_;
  // The sound stops first, so every block it captured is queued before
  // the writer is told to finish.
  if (with_audio_) wave_.Stop();
  // The length to the millisecond, not the whole seconds counted: a clip of
  // 5.6 s given as 5 would play its pictures 12% fast and end 0.6 s before
  // its sound.
  writer_->SetDurationMs(length_ms);
  signals_.stop = 1;

  AdvanceClipCounter();
  camera.recording = false;
  camera.clip_open = false;
  InvalidatePreview();

  WaitForWriter();
  const LONG position = writer_->CurrentPosition();
  writer_->Close();
  writer_.reset();
  signals_.stopped.reset();
  if (position < kEmptyClipLimit) {
    DeleteFile(clip_path_);
    Tell(clip_path_ + LocalizedText(kClipDeletedString), MB_ICONINFORMATION);
  } else {
    Tell(clip_path_ + LocalizedText(kClipSavedString), MB_ICONINFORMATION);
  }
  if (program_.enable_capture_commands) program_.enable_capture_commands(true);
  signals_.stop = 0;
  signals_.error = 0;
}

void ClipRecorder::WaitForWriter() {
  // A writer whose thread never started has nothing to write out.
  if (!writer_started_) return;
  while (WaitForSingleObject(signals_.stopped, kWriterWaitMs) != WAIT_OBJECT_0) {
    Sleep(kWriterPauseMs);
  }
}

}  // namespace camera
