#include "controls/check_box.h"

#include "controls/drawing.h"
#include "platform/controls.h"
#include "platform/dialogs.h"

namespace platform::controls {

UINT CheckBox::DialogCode() const { return DLGC_BUTTON; }

void CheckBox::Click() {
  if (Automatic(BS_AUTOCHECKBOX)) {
    SetCheck(GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  } else if (Automatic(BS_AUTO3STATE)) {
    // Unchecked, checked, indeterminate, and round again.
    const LRESULT next = GetCheck() == BST_UNCHECKED ? BST_CHECKED
                         : GetCheck() == BST_CHECKED ? BST_INDETERMINATE
                                                     : BST_UNCHECKED;
    SetCheck(static_cast<WPARAM>(next));
  }
  CheckableButton::Click();
}

void CheckBox::DrawIndicator(HDC dc, const RECT& square) const {
  const bool enabled = Enabled();
  const COLORREF ink = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
  const bool pressed = pushed();
  FillSolid(dc, square,
            pressed || !enabled ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW));
  FrameSolid(dc, square, ink);
  if (GetCheck() == BST_INDETERMINATE) {
    RECT inner = square;
    InflateRect(&inner, -3, -3);
    FillSolid(dc, inner, GetSysColor(COLOR_BTNSHADOW));
    return;
  }
  if (GetCheck() != BST_CHECKED) return;
  // A tick two pixels thick: down to the lower third, then up to the corner.
  OwnedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ink));
  ScopedSelect select(dc, pen.get());
  for (int dy = 0; dy < 2; ++dy) {
    const POINT tick[] = {{square.left + 3, square.top + 5 + dy},
                          {square.left + 5, square.top + 7 + dy},
                          {square.left + 10, square.top + 2 + dy}};
    Polyline(dc, tick, 3);
  }
}

}  // namespace platform::controls
