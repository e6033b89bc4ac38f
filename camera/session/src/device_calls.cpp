#include "camera/session/device_calls.h"

#include <chrono>

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
  CameraState& camera = Camera();
  if (!camera.device) return platform::FALSE;
  const auto start = std::chrono::steady_clock::now();
  const platform::BOOL result = platform::DeviceIoControl(camera.device, code, input, input_size,
                                                          output, output_size, bytes_returned);
  camera.device_call_us +=
      static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count());
  return result;
}

std::string DriverVersion() {
  char16_t text[32] = {};
  platform::DWORD returned = 0;
  if (!CameraControl(orsadrv::IOCTL_SIO_GET_VERSION, nullptr, 0, text, sizeof text - 2,
                     &returned)) {
    return {};
  }
  // UTF-16 to UTF-8; a version text has no characters beyond the first
  // plane, so a surrogate shows as U+FFFD.
  std::string version;
  for (std::size_t i = 0; i < returned / sizeof(char16_t) && text[i] != u'\0'; ++i) {
    const char32_t c = text[i] >= 0xD800 && text[i] < 0xE000 ? 0xFFFD : text[i];
    if (c < 0x80) {
      version += static_cast<char>(c);
    } else if (c < 0x800) {
      version += static_cast<char>(0xC0 | (c >> 6));
      version += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      version += static_cast<char>(0xE0 | (c >> 12));
      version += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      version += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return version;
}

void SendInit() { CameraControl(orsadrv::IOCTL_SIO_INIT, &Camera().main_window, 0); }

}  // namespace camera
