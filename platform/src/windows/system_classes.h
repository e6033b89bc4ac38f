// The window classes every handheld has before its first window: the
// standard controls, when they are part of the build.
#pragma once

#include <vector>

#include "platform/window.h"

namespace platform::windows {

std::vector<WNDCLASS> SystemClasses();

}  // namespace platform::windows
