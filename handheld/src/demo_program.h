// The emulator's sample program: a window with a title, text in three
// fonts, a bitmap from its resources and a push button that counts taps
// (the Action and Enter keys count too; Escape ends the program). It shows
// that windows, painting, text, bitmaps and input work end to end.
#pragma once

#include <string>

#include "platform/modules.h"

namespace handheld {

inline constexpr const char* kDemoPath = "\\Windows\\demo.exe";
inline constexpr const char* kDemoWindowClass = "OrsaDemo";
inline constexpr const char* kDemoWindowTitle = "Demo";
// The button's place on the screen (the work area starts below the task bar).
inline constexpr int kDemoButtonLeft = 70;
inline constexpr int kDemoButtonTop = 26 + 196;
inline constexpr int kDemoButtonWidth = 100;
inline constexpr int kDemoButtonHeight = 30;
// The picture's resource id.
inline constexpr int kDemoBitmapId = 101;

int DemoMain(platform::HINSTANCE instance, const std::string& command_line);

}  // namespace handheld
