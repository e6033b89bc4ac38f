// Drawing helpers the common controls share: owned drawing objects, the
// controls' font and colours, and a few shapes.
#pragma once

#include <string_view>

#include "platform/gdi.h"
#include "platform/gdi_objects.h"

namespace platform::common_controls {

// The controls' text font (8-point "Tahoma").
OwnedGdiObject<> MakeControlFont(LONG weight = FW_NORMAL);
// Height in pixels of one line of the controls' font.
inline constexpr int kTextHeight = 13;

void FillColor(HDC dc, const RECT& rect, COLORREF color);
void FrameColor(HDC dc, const RECT& rect, COLORREF color);
void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF color);
// A raised (or, pressed, sunken) edge inside the rectangle.
void DrawEdge3d(HDC dc, const RECT& rect, bool sunken);
// One line of text in the rectangle with the given colour; the background
// is left as it is.
void DrawLabel(HDC dc, std::string_view text, RECT rect, COLORREF color, UINT format);

}  // namespace platform::common_controls

namespace platform::common_controls {

// Draws the pixels of the rectangle that differ from the background as a
// pale grey, the way a disabled image looks.
void GreyOut(HDC dc, const RECT& rect, COLORREF background);

}  // namespace platform::common_controls
