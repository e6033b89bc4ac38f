// The top window "orsagal": it covers the work area behind the browser,
// makes the browser when it is made, hands the foreground to it, and ends
// the program when it goes.
#pragma once

#include "platform/window.h"

namespace gallery {

// Registers the class (once) and creates and shows the top window over the
// work area; null when it cannot be made.
platform::HWND CreateTopWindow(platform::HINSTANCE instance, int show);

}  // namespace gallery
