// The About box (Tools > About): the version, and a picture for whoever
// taps it six times.
#pragma once

#include "platform/window.h"

namespace gallery {

void RunAboutBox(platform::HWND browser);

}  // namespace gallery
