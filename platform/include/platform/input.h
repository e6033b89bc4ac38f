// What a person does to the handheld: the stylus on the screen and the
// hardware keys. The emulator and tests call these; the window system turns
// them into messages for the window under the stylus or with the focus.
#pragma once

#include "platform/types.h"

namespace platform::input {

// Screen coordinates.
void StylusDown(int x, int y);
void StylusMove(int x, int y);
void StylusUp(int x, int y);
// Virtual-key codes (VK_RETURN, VK_ACTION, VK_APP1, ..., 'A').
void KeyDown(UINT virtual_key);
void KeyUp(UINT virtual_key);
// A character typed (text the emulator enters), delivered as WM_CHAR.
void Char(wchar_t character);

}  // namespace platform::input
