// The main dialog's modal children: the settings sheet and the About box.
// The dialog routes to them here and does its own steps around them (menu
// bar, stream, options, overlays); the dialogs themselves live behind this
// seam.
#pragma once

#include "platform/window.h"

namespace camera {

// Runs the settings sheet modally over `owner`; true when it was closed
// with OK.
bool RunSettingsSheet(platform::HWND owner);
// Runs the About box modally over `owner`.
void RunAboutBox(platform::HWND owner);

}  // namespace camera
