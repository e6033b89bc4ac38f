// The control codes as the camera sends them to "SIO1:": the session and
// still capture.
#pragma once

#include <string>

#include "platform/types.h"

namespace camera {

// Opens "SIO1:" for reading and writing with the share mode given; false
// when there is no such device or it refuses.
bool OpenCameraDevice(platform::DWORD share_mode);
// One control code on the open device; FALSE when none is open.
platform::BOOL CameraControl(platform::DWORD code, void* input, platform::DWORD input_size,
                             void* output = nullptr, platform::DWORD output_size = 0,
                             platform::DWORD* bytes_returned = nullptr);
// IOCTL_SIO_INIT with the main window's handle; the result is not checked.
void SendInit();
// The driver's version text (IOCTL_SIO_GET_VERSION) as UTF-8; empty when the
// device is closed or answers nothing.
std::string DriverVersion();

}  // namespace camera
