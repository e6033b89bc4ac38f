// Viewing the current file: a clip the plug-in plays goes to its player,
// anything else opens the zoom view.
#pragma once

#include <string>

#include "platform/window.h"

namespace gallery {

void ViewFile(platform::HWND browser, const std::string& path);

}  // namespace gallery
