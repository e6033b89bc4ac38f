// The watchdog. Frames flowing keep the count above zero between two ticks;
// a whole period without one means the driver lost its stream (the card
// was reset or the handheld resumed), so the device is opened afresh.
#include "camera/session/watchdog.h"

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/device_calls.h"
#include "platform/time.h"
#include "platform/window.h"

namespace camera {

namespace {

constexpr std::uint8_t kFailuresBeforeClosing = 2;
constexpr platform::DWORD kSettleMs = 25;

}  // namespace

void WatchdogTick() {
  CameraState& camera = Camera();
  if (camera.streaming == 0) return;
  if (camera.frame_message_count != 0) {
    camera.frame_message_count = 0;
    return;
  }
  camera.device.Close();
  if (!OpenCameraDevice(0)) {
    // The count stops at its limit, so the close is asked for once: the
    // ticks that fail while the program ends say nothing more.
    if (camera.reopen_failures < kFailuresBeforeClosing &&
        ++camera.reopen_failures == kFailuresBeforeClosing) {
      platform::PostMessage(camera.main_window, platform::WM_CLOSE, 0, 0);
    }
    return;
  }
  camera.reopen_failures = 0;
  SendInit();
  platform::Sleep(kSettleMs);
  StopPreview();
  StartPreview(PreviewCaptureType());
  camera.frame_message_count = 0;
}

}  // namespace camera
