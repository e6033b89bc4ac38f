// The order controls were made in, which is the order of groups and tabs.
// A new window goes to the top of its siblings' z-order, so the order of
// making is the z-order read from the bottom.
#pragma once

#include <vector>

#include "platform/window.h"

namespace platform::controls {

// The window's siblings (itself included), first made first.
std::vector<HWND> SiblingsInOrder(HWND hwnd);
// The siblings of the window's WS_GROUP group, first made first.
std::vector<HWND> GroupOf(HWND hwnd);

}  // namespace platform::controls
