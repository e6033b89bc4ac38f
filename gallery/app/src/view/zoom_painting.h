// Painting the zoom view's area from the shown picture.
#pragma once

#include "picture_surface.h"
#include "zoom_geometry.h"

namespace gallery {

// The visible part of `picture` over the area at `dc`: copied 1:1 at 100 %,
// stretched at any other zoom; black where the area reaches past the
// picture, and all black without one.
void PaintZoomed(platform::HDC dc, const PictureSurface* picture, const ZoomGeometry& view);

}  // namespace gallery
