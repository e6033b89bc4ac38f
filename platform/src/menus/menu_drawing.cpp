#include "menus/menu_drawing.h"

#include <string>

namespace platform::menus {

namespace {

HFONT MakeMenuFont(LONG weight) {
  LOGFONT description;
  description.lfHeight = -12;
  description.lfWeight = weight;
  description.lfFaceName = "Tahoma";
  return CreateFontIndirect(&description);
}

// Menu texts mark their access key with '&' ("&&" is an ampersand); the
// handheld shows them without.
std::string Shown(std::string_view text) {
  std::string shown;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '&' && at + 1 < text.size()) ++at;
    shown += text[at];
  }
  return shown;
}

}  // namespace

MenuFont::MenuFont(HDC dc, LONG weight)
    : dc_(dc), font_(MakeMenuFont(weight)), previous_(SelectObject(dc, font_)) {}

MenuFont::~MenuFont() {
  SelectObject(dc_, previous_);
  DeleteObject(font_);
}

void FillWith(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, 2, color);
  HGDIOBJ previous = SelectObject(dc, pen);
  const int left = box.left + 3;
  const int middle = (box.top + box.bottom) / 2;
  MoveToEx(dc, left, middle, nullptr);
  LineTo(dc, left + 3, middle + 3);
  LineTo(dc, left + 9, middle - 4);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

void DrawLabel(HDC dc, std::string_view text, RECT rect, COLORREF color, UINT align) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawText(dc, Shown(text), &rect, align | DT_VCENTER | DT_SINGLELINE);
}

int LabelWidth(std::string_view text) {
  HDC dc = CreateCompatibleDC(nullptr);
  SIZE size{};
  {
    MenuFont font(dc);
    GetTextExtentPoint32(dc, Shown(text), &size);
  }
  DeleteDC(dc);
  return size.cx;
}

}  // namespace platform::menus
