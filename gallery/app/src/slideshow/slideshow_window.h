// The slideshow window "SlideShow": the file list shown full screen from
// the current file, moved by hand or by timer 1 (forward, backward or at
// random), with the neighbours decoded ahead into their own surfaces,
// transitions, captions, voice notes and clips. All on the user-interface
// thread, inside the browser's message loop.
#pragma once

#include <string>

#include "platform/window.h"

namespace gallery {

inline constexpr char kSlideshowClass[] = "SlideShow";

// Ask the slideshow window for the index of the shown entry and for the
// direction of the last move (0-4).
inline constexpr platform::UINT kMessageShownIndex = platform::WM_APP + 0x101;
inline constexpr platform::UINT kMessageMoveDirection = platform::WM_APP + 0x102;

// Starts the show of the file list at `path`, owned by the browser; false
// when there is nothing to show or no memory for the shown surface. On
// closing the browser receives kMessageMakeCurrent with the shown index.
bool StartSlideshow(platform::HWND browser, const std::string& path);

}  // namespace gallery
