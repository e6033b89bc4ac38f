// The browser window "TovrinReview": everything the gallery shows lives in
// it or is reached from its commands.
#pragma once

#include "platform/window.h"

namespace gallery {

// Registers the class (once) and creates the browser over the work area
// less the menu bar's 26 pixels, owned by `top`; it browses what the
// registry remembers and shows itself. Null when it cannot be made.
platform::HWND CreateBrowser(platform::HWND top, platform::HINSTANCE instance);

}  // namespace gallery
