// Starting, stopping and configuring the preview stream, the options, and
// closing the device.
#include <algorithm>
#include <array>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/device_calls.h"
#include "camera/session/header_templates.h"
#include "camera/session/overlays.h"
#include "camera/session/watchdog.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_writers.h"
#include "driver/orsadrv.h"
#include "stream_header.h"

namespace camera {

namespace {

// Capture types of the preview by stream size (rows) and zoom level.
constexpr std::array<std::array<int, 3>, 2> kPreviewCaptureTypes{{
    {4, 9, 17},   // 320x240
    {6, 20, 21},  // 160x120
}};

}  // namespace

bool StartPreview(int capture_type) {
  if (capture_type == kNoCaptureType) return false;
  CameraState& camera = Camera();
  camera.current_capture_type = static_cast<std::uint32_t>(capture_type);
  camera.streaming = 1;
  // The driver reads the window handle behind the input pointer and takes
  // the capture type from the input length.
  return CameraControl(orsadrv::IOCTL_SIO_START_PREVIEW, &camera.preview_window,
                       static_cast<platform::DWORD>(capture_type)) != platform::FALSE;
}

void StopPreview() {
  Camera().streaming = 0;
  CameraControl(orsadrv::IOCTL_SIO_STOP_PREVIEW, nullptr, 0);
}

bool SendOptions() {
  std::array<platform::DWORD, 4> options = OptionsRecord();
  static_assert(sizeof options == sizeof(orsadrv::SioOptions));
  CameraControl(orsadrv::IOCTL_SIO_SET_OPTIONS, options.data(), sizeof options);
  return true;
}

int PreviewCaptureType() {
  const int aviresolution = Settings().aviresolution;
  const std::uint32_t zoom = Camera().zoom_level;
  if (aviresolution < 0 || aviresolution > 1 || zoom > 2) return kNoCaptureType;
  return kPreviewCaptureTypes[static_cast<std::size_t>(aviresolution)][zoom];
}

void CopyHeaderTemplate() {
  CameraState& camera = Camera();
  const HeaderTemplate& header =
      HeaderTemplateFor(Settings().aviresolution, static_cast<int>(camera.zoom_level));
  std::copy(header.begin(), header.end(), camera.jpeg_buffer.begin());
}

void ConfigurePreviewHeader() {
  CameraState& camera = Camera();
  CopyHeaderTemplate();
  const int aviresolution = Settings().aviresolution;
  const int mode = aviresolution == 1 ? kDecodeSmallStream : kDecodeLargeStream;
  // Until the first frame of the new size is decoded the old layout stays.
  if (mode != camera.decode_size_mode && camera.painted.paints > 0) camera.size_changed = 1;
  camera.decode_size_mode = mode;
}

bool RestartPreviewForSettings() {
  ConfigurePreviewHeader();
  return StartPreview(PreviewCaptureType());
}

void CloseCamera() {
  CameraState& camera = Camera();
  CameraControl(orsadrv::IOCTL_SIO_POWER_DOWN, nullptr, 0);
  camera.device.Close();
}

void EndCameraSession() {
  CameraState& camera = Camera();
  CameraControl(orsadrv::IOCTL_SIO_POWER_DOWN, nullptr, 0);
  if (camera.main_window) platform::KillTimer(camera.main_window, kWatchdogTimerId);
  ReleaseOverlayBitmaps();
}

}  // namespace camera
