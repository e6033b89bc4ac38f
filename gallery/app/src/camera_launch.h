// The camera button, Tools > Camera and Backspace: start the camera
// program and make way for it.
#pragma once

#include <optional>
#include <string>

#include "platform/window.h"

namespace gallery {

// The camera program the installation names in "CaptureApp"; nothing when
// it names none.
std::optional<std::string> CaptureApp();

// Starts the program of "CaptureApp", or "orsacap.exe" without one, with
// no arguments. On success the gallery closes; on failure it says so and
// stays.
void LaunchCamera(platform::HWND browser);

}  // namespace gallery
