// The Done button at the right of the task bar: drawn by the screen while
// the active window asks for it, tapped through the input routing.
#pragma once

#include <memory>

#include "platform/gdi_types.h"
#include "platform/window.h"

namespace platform::gdi {
class Surface;
}

namespace platform::shell {

inline constexpr RECT kDoneButtonRect{212, 3, 236, 23};

// Whether the active window shows the Done button (and the task bar shows).
bool DoneButtonShown();
void DrawDoneButton(const std::shared_ptr<gdi::Surface>& target);
// A stylus event at a screen point: true when it is the Done button's (a
// lift there sends the active window WM_COMMAND IDOK).
bool StylusOnDoneButton(UINT message, POINT point);

}  // namespace platform::shell
