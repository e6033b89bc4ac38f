// The emulator's external display test: "\Windows\displaytest.exe [MS]"
// finds the external display the way programs do (the first subkey of
// HKLM "Drivers\Display\Active" whose "Dll" is "ddi.dll"), opens it with
// CreateDC and draws a test card of colour bars with the mode it reads
// back with GetDeviceCaps. Given MS it keeps redrawing every 250 ms for
// that long; when a drawing fails (the display changed mode) it closes the
// display, finds and opens it again and draws the card anew. Exit code 0,
// or 1 when no external display is found.
#pragma once

#include <string>

#include "platform/modules.h"

namespace handheld {

inline constexpr const char* kDisplayTestPath = "\\Windows\\displaytest.exe";

int DisplayTestMain(platform::HINSTANCE instance, const std::string& command_line);

}  // namespace handheld
