// The emulator's dialogs sample: a property sheet with a page holding a
// report list of pictures and a page of options (edits, radio buttons, a
// check box), and from the options page a dialog with a folder tree. It
// shows dialogs, property sheets, the shell's Done button and the common
// controls working together, as the camera's and the gallery's dialogs do.
#pragma once

#include <string>

#include "platform/modules.h"

namespace handheld {

inline constexpr const char* kDialogsDemoPath = "\\Windows\\dialogsdemo.exe";
inline constexpr const char* kDialogsDemoSheetTitle = "Demo settings";
inline constexpr const char* kDialogsDemoTreeTitle = "Choose a folder";

int DialogsDemoMain(platform::HINSTANCE instance, const std::string& command_line);

}  // namespace handheld
