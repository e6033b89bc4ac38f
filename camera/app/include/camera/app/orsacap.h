// The camera program "\windows\orsacap.exe": one full-screen dialog with the
// live preview on top, the button bar below it and, where the shell has one,
// the menu bar at the bottom. The card driver starts it when the camera card
// comes up.
#pragma once

#include <string>

#include "platform/handheld.h"
#include "platform/modules.h"

namespace camera {

inline constexpr char kCameraProgramPath[] = "\\windows\\orsacap.exe";

// The program's entry: settings, then the main dialog run modally. The
// result is the dialog's (-1 when it could not be made).
int OrsacapMain(platform::HINSTANCE instance, const std::string& command_line);

// Builds the program into a handheld: its registration with the program
// manager, its module resources (bitmaps, sounds, own strings, the dialog
// template) and its file. False with the reason when the resources cannot be
// read.
bool InstallCameraProgram(platform::Handheld& handheld, std::string* error = nullptr);

}  // namespace camera
