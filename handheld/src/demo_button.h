// The demo's push button: a raised face with its text, drawn pressed while
// the stylus holds it, telling its parent WM_COMMAND (id, BN_CLICKED) when
// the stylus is lifted over it.
#pragma once

#include "platform/window.h"

namespace handheld {

inline constexpr const char* kDemoButtonClass = "OrsaDemoButton";
inline constexpr platform::WORD kButtonClicked = 0;  // BN_CLICKED

// Registers the class once per handheld; false when that fails.
bool RegisterDemoButton(platform::HINSTANCE instance);

}  // namespace handheld
