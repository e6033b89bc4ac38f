// The zoom view's arithmetic: which part of the picture the visible area
// shows at which zoom, how the zoom steps move, where the overview's
// rectangle sits, and how the zoom label reads. Zoom is in per mille
// (1000 = 100 %); offsets are in zoomed pixels and negative when the
// zoomed picture is smaller than the area and centred in it.
#pragma once

#include <string>

#include "platform/gdi_types.h"

namespace gallery {

inline constexpr int kActualZoom = 1000;
inline constexpr int kLargestZoom = 8000;

struct ZoomGeometry {
  int picture_width = 0;
  int picture_height = 0;
  int area_width = 0;
  int area_height = 0;
  int offset_x = 0;
  int offset_y = 0;
  int zoom = kActualZoom;

  int zoomed_width() const { return picture_width * zoom / 1000; }
  int zoomed_height() const { return picture_height * zoom / 1000; }
  bool larger_than_area() const {
    return picture_width > area_width || picture_height > area_height;
  }
};

// Centres the zoomed picture on the area.
void CentrePicture(ZoomGeometry& view);
// Moves by (dx, dy) zoomed pixels along each axis where the zoomed picture
// exceeds the area, clamped to its edges; centres it along the others.
void Pan(ZoomGeometry& view, int dx, int dy);

// The zoom steps; each keeps the picture inside its bounds afterwards.
// Doubling up to 8000 keeping the area's centre on the same picture point.
void ZoomIn(ZoomGeometry& view);
// Halving down to the fitting zoom (1000 for a picture the area holds),
// keeping the centre.
void ZoomOut(ZoomGeometry& view);
// The whole picture in the area (never enlarged), centred.
void ZoomToFit(ZoomGeometry& view);
// 1000, keeping the centre.
void ZoomToActualSize(ZoomGeometry& view);
// The zoom at which the whole picture shows: 1000 when it fits already.
int FittingZoom(const ZoomGeometry& view);

// "100%" for whole percents, "37.5%" otherwise.
std::string ZoomLabel(int zoom);

// The part of the picture the area shows, in picture pixels.
platform::RECT VisiblePart(const ZoomGeometry& view);

// The overview's rectangle for the visible part of a `width` x `height`
// picture fitted into `fitted_width` x `fitted_height` inset pixels:
// nothing when it covers the whole fitted picture, else clamped to it.
struct InsetRectangle {
  bool whole = false;
  platform::RECT rect{};
};
InsetRectangle InsetRectangleFor(const platform::RECT& visible, int width, int height,
                                 int fitted_width, int fitted_height);

}  // namespace gallery
