// The browser's commands and keys, each handed to the part that does the
// work; the frame's own commands are done here.
#pragma once

#include "platform/window.h"

namespace gallery {

void OnBrowserCommand(platform::HWND browser, platform::UINT command);
void OnBrowserKey(platform::HWND browser, platform::UINT key);

}  // namespace gallery
