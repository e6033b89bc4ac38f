// Helpers shared by the window calls that change which window is active.
#pragma once

#include "platform/window.h"

namespace platform::windows {

// After `leaving` (the active window) is hidden or destroyed: activates its
// owner when that can be, else the top visible window, else nothing.
void ActivateAnother(HWND leaving);

// Tells a window of a state change: sent when it is the calling thread's,
// posted to another thread's window, so that activation and focus changes
// never wait on a thread that may be waiting for the caller.
void Notify(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Private message that activates a window's top-level window on the thread
// that owns it (a tap on an inactive window); DefWindowProc handles it.
inline constexpr UINT kTapActivateMessage = 0x03F0;

}  // namespace platform::windows
