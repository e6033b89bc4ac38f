// The rename sheet: one full-screen page with the current file's name. On
// Done the picture (and its voice note) take the new name; a refused name
// keeps the sheet open with the reason.
#pragma once

#include <string>

#include "platform/window.h"

namespace gallery {

// Does nothing for a file in ROM.
void RunRenameSheet(platform::HWND browser, const std::string& path);

}  // namespace gallery
