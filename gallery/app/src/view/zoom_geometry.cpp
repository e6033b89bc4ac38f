#include "zoom_geometry.h"

#include <algorithm>
#include <cstdio>

namespace gallery {

namespace {

// Along one axis: clamped inside a zoomed picture larger than the area,
// centred otherwise.
int PannedOffset(int offset, int delta, int zoomed, int area) {
  if (zoomed > area) return std::clamp(offset + delta, 0, zoomed - area);
  return (zoomed - area) / 2;
}

// The offset that keeps the area's centre on the same picture point when
// the zoom goes from `old_zoom` to `new_zoom`.
int KeptCentreOffset(int offset, int area, int old_zoom, int new_zoom) {
  return new_zoom * (area / 2 + offset) / old_zoom - area / 2;
}

void ZoomKeepingCentre(ZoomGeometry& view, int new_zoom) {
  const int old_zoom = view.zoom;
  view.offset_x = KeptCentreOffset(view.offset_x, view.area_width, old_zoom, new_zoom);
  view.offset_y = KeptCentreOffset(view.offset_y, view.area_height, old_zoom, new_zoom);
  view.zoom = new_zoom;
  Pan(view, 0, 0);
}

}  // namespace

void CentrePicture(ZoomGeometry& view) {
  view.offset_x = (view.zoomed_width() - view.area_width) / 2;
  view.offset_y = (view.zoomed_height() - view.area_height) / 2;
}

void Pan(ZoomGeometry& view, int dx, int dy) {
  view.offset_x = PannedOffset(view.offset_x, dx, view.zoomed_width(), view.area_width);
  view.offset_y = PannedOffset(view.offset_y, dy, view.zoomed_height(), view.area_height);
}

int FittingZoom(const ZoomGeometry& view) {
  if (!view.larger_than_area() || view.picture_width <= 0 || view.picture_height <= 0)
    return kActualZoom;
  return std::min(view.area_width * 1000 / view.picture_width,
                  view.area_height * 1000 / view.picture_height);
}

void ZoomIn(ZoomGeometry& view) {
  if (view.zoom >= kLargestZoom) return;
  ZoomKeepingCentre(view, std::min(view.zoom * 2, kLargestZoom));
}

void ZoomOut(ZoomGeometry& view) {
  const int lowest = FittingZoom(view);
  if (view.zoom <= lowest) return;
  ZoomKeepingCentre(view, std::max(view.zoom / 2, lowest));
}

void ZoomToFit(ZoomGeometry& view) {
  view.zoom = FittingZoom(view);
  CentrePicture(view);
  Pan(view, 0, 0);
}

void ZoomToActualSize(ZoomGeometry& view) { ZoomKeepingCentre(view, kActualZoom); }

std::string ZoomLabel(int zoom) {
  char text[32];
  if (zoom % 10 == 0) {
    std::snprintf(text, sizeof text, "%d%%", zoom / 10);
  } else {
    std::snprintf(text, sizeof text, "%.1f%%", zoom * 0.1);
  }
  return text;
}

platform::RECT VisiblePart(const ZoomGeometry& view) {
  const int x = view.offset_x * 1000 / view.zoom;
  const int y = view.offset_y * 1000 / view.zoom;
  return {x, y, x + view.area_width * 1000 / view.zoom, y + view.area_height * 1000 / view.zoom};
}

InsetRectangle InsetRectangleFor(const platform::RECT& visible, int width, int height,
                                 int fitted_width, int fitted_height) {
  if (width <= 0 || height <= 0) return {true, {}};
  platform::RECT rect{visible.left * fitted_width / width, visible.top * fitted_height / height,
                      visible.right * fitted_width / width + 1,
                      visible.bottom * fitted_height / height + 1};
  if (rect.left <= 0 && rect.top <= 0 && rect.right >= fitted_width && rect.bottom >= fitted_height)
    return {true, {0, 0, fitted_width, fitted_height}};
  rect.left = std::clamp(rect.left, 0, fitted_width);
  rect.top = std::clamp(rect.top, 0, fitted_height);
  rect.right = std::clamp(rect.right, 0, fitted_width);
  rect.bottom = std::clamp(rect.bottom, 0, fitted_height);
  return {false, rect};
}

}  // namespace gallery
