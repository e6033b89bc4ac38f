#include "controls/drawing.h"

#include <algorithm>

namespace platform::controls {

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.get());
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color, int thickness) {
  OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(color));
  RECT frame = rect;
  for (int i = 0; i < thickness && !IsRectEmpty(frame); ++i) {
    FrameRect(dc, &frame, brush.get());
    InflateRect(&frame, -1, -1);
  }
}

void DrawArrow(HDC dc, const RECT& rect, ArrowDirection direction, COLORREF color) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int half = std::max(2, std::min(width, height) / 4);
  const int cx = rect.left + width / 2;
  const int cy = rect.top + height / 2;
  POINT points[3];
  switch (direction) {
    case ArrowDirection::kUp:
      points[0] = {cx, cy - half / 2 - 1};
      points[1] = {cx + half, cy + half / 2 + 1};
      points[2] = {cx - half, cy + half / 2 + 1};
      break;
    case ArrowDirection::kDown:
      points[0] = {cx - half, cy - half / 2};
      points[1] = {cx + half, cy - half / 2};
      points[2] = {cx, cy + half / 2 + 1};
      break;
    case ArrowDirection::kLeft:
      points[0] = {cx - half / 2 - 1, cy};
      points[1] = {cx + half / 2 + 1, cy - half};
      points[2] = {cx + half / 2 + 1, cy + half};
      break;
    case ArrowDirection::kRight:
      points[0] = {cx - half / 2, cy - half};
      points[1] = {cx + half / 2 + 1, cy};
      points[2] = {cx - half / 2, cy + half};
      break;
  }
  OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(color));
  OwnedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
  ScopedSelect select_brush(dc, brush.get());
  ScopedSelect select_pen(dc, pen.get());
  Polygon(dc, points, 3);
}

void DrawLabel(HDC dc, std::string_view text, RECT rect, UINT format, COLORREF color) {
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old_color = SetTextColor(dc, color);
  DrawText(dc, text, &rect, format);
  SetTextColor(dc, old_color);
  SetBkMode(dc, old_mode);
}

HFONT ControlFont(HFONT chosen) {
  return chosen ? chosen : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int LineHeight(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  TEXTMETRIC metrics;
  {
    ScopedSelect select(dc, ControlFont(font));
    GetTextMetrics(dc, &metrics);
  }
  DeleteDC(dc);
  return std::max<int>(1, metrics.tmHeight);
}

}  // namespace platform::controls
