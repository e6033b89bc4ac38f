#include "common_controls/control_paint.h"

namespace platform::common_controls {

OwnedGdiObject<> MakeControlFont(LONG weight) {
  LOGFONT description;
  description.lfHeight = -11;
  description.lfWeight = weight;
  description.lfFaceName = "Tahoma";
  return OwnedGdiObject<>(CreateFontIndirect(&description));
}

void FillColor(HDC dc, const RECT& rect, COLORREF color) {
  OwnedGdiObject<> brush(CreateSolidBrush(color));
  FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

void FrameColor(HDC dc, const RECT& rect, COLORREF color) {
  OwnedGdiObject<> brush(CreateSolidBrush(color));
  FrameRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF color) {
  OwnedGdiObject<> pen(CreatePen(PS_SOLID, 1, color));
  ScopedSelect selected(dc, pen.get());
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void DrawEdge3d(HDC dc, const RECT& rect, bool sunken) {
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF top_left = sunken ? dark : light;
  const COLORREF bottom_right = sunken ? light : dark;
  Line(dc, rect.left, rect.bottom - 1, rect.left, rect.top, top_left);
  Line(dc, rect.left, rect.top, rect.right - 1, rect.top, top_left);
  Line(dc, rect.right - 1, rect.top, rect.right - 1, rect.bottom - 1, bottom_right);
  Line(dc, rect.right - 1, rect.bottom - 1, rect.left - 1, rect.bottom - 1, bottom_right);
}

void DrawLabel(HDC dc, std::string_view text, RECT rect, COLORREF color, UINT format) {
  OwnedGdiObject<> font = MakeControlFont();
  ScopedSelect selected(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawText(dc, text, &rect, format | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
}

}  // namespace platform::common_controls

namespace platform::common_controls {

void GreyOut(HDC dc, const RECT& rect, COLORREF background) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      if (pixel == CLR_INVALID || pixel == background) continue;
      const int luminance =
          (GetRValue(pixel) * 30 + GetGValue(pixel) * 59 + GetBValue(pixel) * 11) / 100;
      // Halfway between the image's brightness and the face, so shapes stay
      // visible but read as unavailable.
      const int grey = (luminance + GetRValue(face)) / 2;
      SetPixel(dc, x, y,
               RGB(static_cast<BYTE>(grey), static_cast<BYTE>(grey), static_cast<BYTE>(grey)));
    }
  }
}

}  // namespace platform::common_controls
