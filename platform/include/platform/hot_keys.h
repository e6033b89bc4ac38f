// Hot keys: a key (with modifiers) that reaches one window as WM_HOTKEY
// wherever the focus is. The key-down is taken by the hot key; the key-up
// still goes to the focused window. The handheld's application keys carry
// MOD_WIN.
#pragma once

#include "platform/window.h"

namespace platform {

inline constexpr UINT MOD_ALT = 0x0001;
inline constexpr UINT MOD_CONTROL = 0x0002;
inline constexpr UINT MOD_SHIFT = 0x0004;
inline constexpr UINT MOD_WIN = 0x0008;
// Fires on the key-up instead (the key-up is then taken too).
inline constexpr UINT MOD_KEYUP = 0x1000;

// WM_HOTKEY carries the id as wParam and MAKELPARAM(modifiers, key) as
// lParam. FALSE with ERROR_HOTKEY_ALREADY_REGISTERED when another window
// holds the same key and modifiers, or this window the same id.
BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtual_key);
BOOL UnregisterHotKey(HWND hwnd, int id);
// Releases a key from whoever holds it (the shell's own use of the
// application keys), so that a program can register it.
BOOL UnregisterFunc1(UINT modifiers, UINT virtual_key);

// Whether a key is held down: the high bit of the result is set.
short GetKeyState(int virtual_key);
short GetAsyncKeyState(int virtual_key);

}  // namespace platform
