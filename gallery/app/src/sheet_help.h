// Help asked of a property sheet (the help key goes to the window in
// front, which is the sheet) is passed on to its current page, which names
// its own topic.
#pragma once

#include "platform/window.h"

namespace gallery {

// Call once the sheet exists (PSCB_INITIALIZED).
void PassHelpToPages(platform::HWND sheet);

}  // namespace gallery
