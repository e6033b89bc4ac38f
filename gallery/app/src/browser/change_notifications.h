// The shell's change notifications for the browser: pictures and clips
// that appear, go, are renamed or rewritten in the listed folder (the
// camera saving a picture, another program deleting one) update the list,
// coalesced by a 600 ms timer; a storage card coming or going changes the
// folder browsed.
#pragma once

#include <optional>

#include "platform/window.h"

namespace gallery {

inline constexpr platform::UINT_PTR kChangeTimer = 1000;
inline constexpr platform::UINT kChangeDelayMs = 600;

// Registered from one browse to the next, for every event in all folders.
void StartChangeNotifications(platform::HWND browser);
void StopChangeNotifications(platform::HWND browser);

// WM_FILECHANGEINFO and the change timer; nullopt for other messages.
std::optional<platform::LRESULT> ChangeNotificationMessage(platform::HWND browser,
                                                           platform::UINT message,
                                                           platform::WPARAM wparam,
                                                           platform::LPARAM lparam);

}  // namespace gallery
