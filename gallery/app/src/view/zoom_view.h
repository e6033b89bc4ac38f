// The full-screen zoom view (class "Browser"): one picture of the file
// list at a time, zoomed in steps and panned by stylus and keys, with the
// overview inset; closing it makes the entry it showed current in the
// browser. It runs on the browser's message loop.
#pragma once

#include <string>

#include "platform/window.h"

namespace gallery {

// Opens the view on `path` (an entry of the file list); nothing for an
// empty path or an empty list.
void OpenZoomView(platform::HWND browser, const std::string& path);

// The open view, null when none is open.
platform::HWND ZoomViewWindow();

}  // namespace gallery
