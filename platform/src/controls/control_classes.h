// The classes of the standard controls, which every handheld's window
// system has from the start.
#pragma once

#include <vector>

#include "platform/window.h"

namespace platform::controls {

std::vector<WNDCLASS> ControlClasses();

}  // namespace platform::controls
