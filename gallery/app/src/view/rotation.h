// Turning the current JPEG file a quarter without loss, in place.
#pragma once

#include <string>

#include "platform/window.h"

namespace gallery {

// `direction` 0 or 1 as the imaging library takes it. A file that is not
// a JPEG is refused with a message; a failed turn says so and leaves the
// file as it was. The browser's change notification shows the result.
void RotatePicture(platform::HWND browser, const std::string& path, int direction);

}  // namespace gallery
