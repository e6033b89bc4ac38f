// The browser's menu bar: menu 102 of the resource library with its eight
// toolbar images, and what start-up changes on it.
#pragma once

#include "platform/window.h"

namespace gallery {

// Makes the bar; when the shell refuses, says so and the browser goes on
// without one (null).
platform::HWND CreateBrowserMenuBar(platform::HWND browser);

// Without "CaptureApp" the camera button hides and the Tools menu loses
// its camera item and the separator after it.
void HideCameraCommands(platform::HWND menu_bar);

// Greys Print when no print engine loads; keeps the engine that did.
void LoadPrintEngine(platform::HWND menu_bar);
void UnloadPrintEngine();

}  // namespace gallery
