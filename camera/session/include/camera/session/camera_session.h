// The camera session: opening the device "SIO1:", the options, starting and
// stopping the preview stream, and closing. Everything runs on the
// user-interface thread of the camera application.
#pragma once

#include <functional>

#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/types.h"

namespace camera {

// The program's own steps of the opening sequence, called at their places.
struct ProgramOpenSteps {
  // After the options and the watchdog, before the first preview start:
  // the five on-screen buttons.
  std::function<void()> create_buttons;
  // Last: the background-exit thread.
  std::function<void()> start_background_exit;
};

// The opening sequence: state, preview window and decoder, mode Still,
// device, IOCTL_SIO_INIT, overlays, header, options, watchdog, buttons,
// first preview start, background exit. When "SIO1:" cannot be opened the
// user is told (string 50076, caption 50004, error icon) and the result is
// false: the application ends. The string library must be loaded.
bool OpenCamera(platform::HWND main_window, platform::HINSTANCE instance,
                const ProgramOpenSteps& program_steps = {});

// No capture type: an `aviresolution` that has no preview stream.
inline constexpr int kNoCaptureType = 0;

// Stores the capture type, sets streaming and sends IOCTL_SIO_START_PREVIEW
// with the preview window's handle as input and the capture type as the
// input length. True when the driver accepted it; kNoCaptureType sends
// nothing and gives false.
bool StartPreview(int capture_type);
// Clears streaming and sends IOCTL_SIO_STOP_PREVIEW.
void StopPreview();
// Sends the options record (awb, color, imagequality, ae metering).
bool SendOptions();
// The capture type for the current `aviresolution` and zoom level.
int PreviewCaptureType();
// Copies the header template for the current settings and zoom level into
// the JPEG buffer and sets the decode size mode (without starting).
void ConfigurePreviewHeader();
// ConfigurePreviewHeader, then StartPreview(PreviewCaptureType()). After the
// settings sheet.
bool RestartPreviewForSettings();
// Sends IOCTL_SIO_POWER_DOWN, closes the device handle (Exit).
void CloseCamera();
// The main dialog's destroy path: IOCTL_SIO_POWER_DOWN again when the
// device is still open, the watchdog timer killed, the overlay bitmaps
// freed.
void EndCameraSession();

}  // namespace camera
