// The frame pump: every WM_SIO_FRAME_READY fetches the driver's frame into
// the JPEG buffer right behind the header, so that header and frame are one
// image without a copy, and decodes it into the decoded image.
#include <cstddef>

#include "camera/session/camera_messages.h"
#include "camera/session/camera_state.h"
#include "camera/session/device_calls.h"
#include "camera/session/free_space.h"
#include "camera/session/header_templates.h"
#include "camera/session/preview_window.h"
#include "camera/settings/camera_settings.h"
#include "driver/orsadrv.h"
#include "preview_procedure.h"

namespace camera {

namespace {

// The room behind the header: the driver refuses a frame that does not fit.
constexpr platform::DWORD kFrameRoom = kJpegBufferBytes - kJpegHeaderBytes;
// Frames this large or larger are dropped.
constexpr platform::DWORD kFrameLimit = 76'210;
// Smaller whole images of the large stream are not worth a clip frame.
constexpr std::size_t kSmallestClipFrame = 2'048;

platform::DWORD FetchFrame(platform::DWORD room) {
  CameraState& camera = Camera();
  camera.frame_request.fill(0);
  platform::DWORD received = 0;
  CameraControl(orsadrv::IOCTL_SIO_GET_FRAME, camera.frame_request.data(),
                static_cast<platform::DWORD>(camera.frame_request.size()),
                camera.jpeg_buffer.data() + kJpegHeaderBytes, room, &received);
  return received;
}

bool Decode(std::size_t total_length) {
  CameraState& camera = Camera();
  if (!camera.decoder) return false;
  codec::JpegCursors& cursors = codec::JpegDecoderCursors(*camera.decoder);
  cursors.source = camera.jpeg_buffer.data();
  cursors.source_left = total_length;
  cursors.sink = camera.decoded_image.data();
  return codec::JpegDecode(camera.decode_size_mode, camera.decoder.get(), 0) == codec::kJpegOk;
}

void RequestRecordingStop() {
  CameraState& camera = Camera();
  if (camera.record_stop_requested) return;
  camera.record_stop_requested = true;
  platform::PostMessage(camera.main_window, WM_CAM_TOGGLE_RECORD, 0, 0);
}

void HandOnToRecording(std::size_t total_length) {
  CameraState& camera = Camera();
  if (!camera.recording.load()) return;
  if (Settings().aviresolution == 0 && total_length < kSmallestClipFrame) return;
  if (camera.record_write_failed.load()) {
    RequestRecordingStop();
    return;
  }
  if (camera.mode.load() != CameraMode::kVideo || !camera.clip_open.load()) return;
  if (RecordingSecondsLeft() == 0) {
    RequestRecordingStop();
    return;
  }
  if (camera.hooks.append_video_frame &&
      !camera.hooks.append_video_frame(camera.jpeg_buffer.data(), total_length)) {
    camera.record_write_failed = true;
  }
}

}  // namespace

void PumpFrame() {
  CameraState& camera = Camera();
  ++camera.frame_message_count;
  if (camera.self_timer_running.load() && camera.hooks.self_timer_step) {
    camera.hooks.self_timer_step();
  }
  if (camera.review_showing.load() && Settings().instant_review != 0) {
    // Fetched with room and dropped, so the driver goes on; the review stays.
    FetchFrame(kFrameRoom);
    InvalidatePreview();
    return;
  }
  const platform::DWORD received = FetchFrame(kFrameRoom);
  if (received == 0 || received >= kFrameLimit) return;
  const std::size_t total_length = received + kJpegHeaderBytes;
  if (Decode(total_length)) {
    camera.size_changed = 0;
    InvalidatePreview();
  }
  HandOnToRecording(total_length);
}

}  // namespace camera
