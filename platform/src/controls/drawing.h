// Small drawing helpers the controls share: scoped selection of GDI
// objects, solid fills and frames, arrows, and the control font.
#pragma once

#include <string_view>

#include "platform/gdi.h"
#include "platform/gdi_objects.h"
#include "platform/window.h"

namespace platform::controls {

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
// A frame `thickness` pixels wide inside the rectangle.
void FrameSolid(HDC dc, const RECT& rect, COLORREF color, int thickness = 1);

enum class ArrowDirection { kUp, kDown, kLeft, kRight };
// A filled triangle centred in the rectangle.
void DrawArrow(HDC dc, const RECT& rect, ArrowDirection direction, COLORREF color);

// Text in the rectangle with the context's font and text colour, on a
// transparent background.
void DrawLabel(HDC dc, std::string_view text, RECT rect, UINT format, COLORREF color);

// The font a control draws with: the one given by WM_SETFONT, else the
// default GUI font.
HFONT ControlFont(HFONT chosen);
// Height of a line of text in the font.
int LineHeight(HFONT font);

}  // namespace platform::controls
