#include "camera/session/device_calls.h"

#include "camera/session/camera_state.h"
#include "driver/orsadrv.h"
#include "platform/devices.h"
#include "platform/files.h"

namespace camera {

bool OpenCameraDevice(platform::DWORD share_mode) {
  CameraState& camera = Camera();
  camera.device =
      platform::OpenDevice("SIO1:", platform::GENERIC_READ | platform::GENERIC_WRITE, share_mode);
  return static_cast<bool>(camera.device);
}

platform::BOOL CameraControl(platform::DWORD code, void* input, platform::DWORD input_size,
                             void* output, platform::DWORD output_size,
                             platform::DWORD* bytes_returned) {
  const CameraState& camera = Camera();
  if (!camera.device) return platform::FALSE;
  return platform::DeviceIoControl(camera.device, code, input, input_size, output, output_size,
                                   bytes_returned);
}

void SendInit() { CameraControl(orsadrv::IOCTL_SIO_INIT, &Camera().main_window, 0); }

}  // namespace camera
