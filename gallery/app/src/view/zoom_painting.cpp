#include "zoom_painting.h"

#include <algorithm>

#include "platform/gdi_objects.h"

namespace gallery {

using namespace platform;

namespace {

// Fills the area outside `picture` (area coordinates) with black.
void FillAround(HDC dc, const RECT& area, const RECT& picture) {
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const RECT bands[] = {
      {area.left, area.top, area.right, picture.top},
      {area.left, picture.bottom, area.right, area.bottom},
      {area.left, picture.top, picture.left, picture.bottom},
      {picture.right, picture.top, area.right, picture.bottom},
  };
  for (const RECT& band : bands) {
    if (!IsRectEmpty(band)) FillRect(dc, &band, black);
  }
}

}  // namespace

void PaintZoomed(HDC dc, const PictureSurface* picture, const ZoomGeometry& view) {
  const RECT area{0, 0, view.area_width, view.area_height};
  if (!picture || view.zoom <= 0) {
    FillAround(dc, area, RECT{0, 0, 0, 0});
    return;
  }
  // The zoomed picture's place in the area, cut to the area.
  const RECT whole{-view.offset_x, -view.offset_y, view.zoomed_width() - view.offset_x,
                   view.zoomed_height() - view.offset_y};
  const RECT shown{std::max(whole.left, area.left), std::max(whole.top, area.top),
                   std::min(whole.right, area.right), std::min(whole.bottom, area.bottom)};
  if (IsRectEmpty(shown)) {
    FillAround(dc, area, RECT{0, 0, 0, 0});
    return;
  }
  const int width = shown.right - shown.left;
  const int height = shown.bottom - shown.top;
  const int source_x = (shown.left + view.offset_x) * 1000 / view.zoom;
  const int source_y = (shown.top + view.offset_y) * 1000 / view.zoom;
  if (view.zoom == kActualZoom) {
    BitBlt(dc, shown.left, shown.top, width, height, picture->dc(), source_x, source_y, SRCCOPY);
  } else {
    const int source_width =
        std::max(1, std::min(width * 1000 / view.zoom, picture->width() - source_x));
    const int source_height =
        std::max(1, std::min(height * 1000 / view.zoom, picture->height() - source_y));
    SetStretchBltMode(dc, view.zoom < kActualZoom ? HALFTONE : COLORONCOLOR);
    StretchBlt(dc, shown.left, shown.top, width, height, picture->dc(), source_x, source_y,
               source_width, source_height, SRCCOPY);
  }
  FillAround(dc, area, shown);
}

}  // namespace gallery
