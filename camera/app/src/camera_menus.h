// The camera's menus, File and Mode, in each of the nine languages: menu
// resource 348 + language index, made from the string library's texts when
// the program is built into the handheld.
#pragma once

#include "platform/resources.h"
#include "platform/window.h"

namespace camera {

inline constexpr platform::UINT kFirstMenuResource = 348;

// Adds menus 348..356 to `program`, with the texts of `string_library` (the
// string tables of "Localization.dll").
void AddCameraMenus(const platform::ModuleResources& string_library,
                    platform::ModuleResources* program);

// The menu bar of the main dialog in the current language, with Still or
// Video checked by the mode. False when the shell could not make it.
bool CreateCameraMenuBar(platform::HWND dialog, platform::HINSTANCE instance);
// Sets the check marks of Still and Video from the mode.
void CheckModeItems(platform::HWND dialog);
// Greys (false) or enables Play, Menu..., About..., Still and Video; Exit
// stays available.
void EnableCaptureCommands(platform::HWND dialog, bool enabled);
// Whether `command` is one of those five.
bool IsCaptureCommand(platform::UINT command);
// Removes the dialog's menu bar (before a modal child takes the screen).
void RemoveCameraMenuBar(platform::HWND dialog);

}  // namespace camera
