// What the keys do in the zoom view: close it, pan it, zoom or walk the
// list.
#pragma once

#include "platform/gdi_types.h"
#include "platform/types.h"

namespace gallery {

enum class ZoomKeyAction { kNone, kClose, kPan, kZoomIn, kZoomOut, kPrevious, kNext };

struct ZoomKey {
  ZoomKeyAction action = ZoomKeyAction::kNone;
  int dx = 0;  // for kPan, in zoomed pixels
  int dy = 0;
};

// Arrows pan by a quarter of the `area_width` x `area_height` area, Page
// Up and Down by the client's height, Home and End by its width.
ZoomKey ZoomKeyFor(platform::UINT key, int area_width, int area_height,
                   const platform::RECT& client);

}  // namespace gallery
