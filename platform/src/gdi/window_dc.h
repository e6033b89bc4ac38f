// Drawing contexts that the window system hands to a window's painting:
// they draw into a shared target (the screen) at the window's place, only
// inside the parts of it that are visible.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi_surface.h"
#include "platform/gdi_types.h"

namespace platform::gdi {

// `origin` is where the window's client (0,0) lies on the target;
// `clip_rects` are the visible parts in target coordinates and must not
// overlap (drawing outside them is dropped). The context starts with the
// stock white brush, black pen, system font, black text on an opaque white
// background. Null when target is null.
HDC CreateWindowDC(std::shared_ptr<Surface> target, POINT origin, std::vector<RECT> clip_rects);
// Ends the context; the handle is invalid afterwards. A null or unknown
// handle is ignored.
void ReleaseWindowDC(HDC dc);

}  // namespace platform::gdi
