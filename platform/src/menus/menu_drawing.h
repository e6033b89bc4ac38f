// Drawing helpers the pop-up menus and the menu bar share: the menu font
// selected for a scope, filled rectangles and the check mark.
#pragma once

#include <string_view>

#include "platform/gdi.h"

namespace platform::menus {

inline constexpr COLORREF kMenuColor = RGB(255, 255, 255);
inline constexpr COLORREF kMenuTextColor = RGB(0, 0, 0);
inline constexpr COLORREF kGrayedTextColor = RGB(128, 128, 128);
inline constexpr COLORREF kHighlightColor = RGB(0, 0, 128);
inline constexpr COLORREF kHighlightTextColor = RGB(255, 255, 255);
inline constexpr COLORREF kBarColor = RGB(224, 224, 224);

// The menu font, selected into a context while this lives.
class MenuFont {
 public:
  explicit MenuFont(HDC dc, LONG weight = FW_NORMAL);
  ~MenuFont();
  MenuFont(const MenuFont&) = delete;
  MenuFont& operator=(const MenuFont&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previous_;
};

void FillWith(HDC dc, const RECT& rect, COLORREF color);
// A tick inside `box`.
void DrawCheckMark(HDC dc, const RECT& box, COLORREF color);
// Text in one line, vertically centred, with the given alignment.
void DrawLabel(HDC dc, std::string_view text, RECT rect, COLORREF color, UINT align);
// The width of a text in the menu font.
int LabelWidth(std::string_view text);

}  // namespace platform::menus
