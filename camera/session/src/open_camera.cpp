// The opening sequence of the camera, in its order. The program's own steps
// (its buttons and its background-exit thread) come in at their places.
#include <string>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/device_calls.h"
#include "camera/session/overlays.h"
#include "camera/session/preview_window.h"
#include "camera/session/watchdog.h"
#include "camera/settings/camera_settings.h"
#include "camera/strings/string_library.h"
#include "platform/message_box.h"
#include "platform/window.h"

namespace camera {

namespace {

constexpr platform::UINT kNotConnectedText = 50076;
constexpr platform::UINT kApplicationTitle = 50004;
constexpr std::uint32_t kFramesAssumedAtOpen = 10;
constexpr int kFirstCaptureTypeLarge = 4;
constexpr int kFirstCaptureTypeSmall = 6;
constexpr platform::DWORD kShareReadWrite = 3;

void ReportNotConnected(platform::HWND main_window) {
  const std::string text = LocalizedText(kNotConnectedText);
  const std::string caption = LocalizedText(kApplicationTitle);
  platform::MessageBox(main_window, text, caption, platform::MB_OK | platform::MB_ICONERROR);
}

void Run(const std::function<void()>& step) {
  if (step) step();
}

}  // namespace

bool OpenCamera(platform::HWND main_window, platform::HINSTANCE instance,
                const ProgramOpenSteps& program_steps) {
  // 1. A fresh state; zoomed still size 2, zoom level 0.
  CameraState& camera = ResetCamera();
  camera.main_window = main_window;
  camera.instance = instance;
  Settings().zoomed_still_size = 2;

  // 2. Preview window and decoder; the images start black.
  camera.preview_window = CreatePreviewWindow(main_window, instance);
  camera.decoder = codec::JpegDecoderCreate();

  // 3. Still mode, no capture under way.
  camera.mode = CameraMode::kStill;
  camera.capturing = false;

  // 4. The device.
  if (!OpenCameraDevice(kShareReadWrite)) {
    ReportNotConnected(main_window);
    return false;
  }
  // 5.-8. Driver start, overlays, header, options.
  SendInit();
  LoadOverlayBitmaps();
  ConfigurePreviewHeader();
  SendOptions();

  // 9. The watchdog, counting as if frames had come.
  camera.frame_message_count = kFramesAssumedAtOpen;
  platform::SetTimer(main_window, kWatchdogTimerId, kWatchdogPeriodMs, nullptr);

  // 10. The program's buttons.
  Run(program_steps.create_buttons);

  // 11. The first preview, unzoomed.
  const int aviresolution = Settings().aviresolution;
  if (aviresolution == 0) StartPreview(kFirstCaptureTypeLarge);
  if (aviresolution == 1) StartPreview(kFirstCaptureTypeSmall);

  // 12. The program's background exit.
  Run(program_steps.start_background_exit);
  return true;
}

}  // namespace camera
