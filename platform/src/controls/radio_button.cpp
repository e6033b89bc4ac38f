#include "controls/radio_button.h"

#include <algorithm>
#include <vector>

#include "controls/drawing.h"
#include "controls/sibling_order.h"
#include "platform/controls.h"
#include "platform/dialogs.h"

namespace platform::controls {

UINT RadioButton::DialogCode() const { return DLGC_BUTTON | DLGC_RADIOBUTTON; }

void RadioButton::Click() {
  if (Automatic(BS_AUTORADIOBUTTON)) {
    SetCheck(BST_CHECKED);
    UncheckOthersInGroup();
  }
  CheckableButton::Click();
}

void RadioButton::UncheckOthersInGroup() const {
  for (HWND sibling : GroupOf(hwnd())) {
    if (sibling == hwnd()) continue;
    if (GetClassName(sibling) != GetClassName(hwnd())) continue;
    const auto style = static_cast<DWORD>(GetWindowLong(sibling, GWL_STYLE));
    if ((style & BS_TYPEMASK) != BS_AUTORADIOBUTTON) continue;
    SendMessage(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void RadioButton::DrawIndicator(HDC dc, const RECT& square) const {
  const bool enabled = Enabled();
  const COLORREF ink = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
  OwnedGdiObject<HBRUSH> face(CreateSolidBrush(pushed() || !enabled ? GetSysColor(COLOR_BTNFACE)
                                                                    : GetSysColor(COLOR_WINDOW)));
  OwnedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ink));
  ScopedSelect select_pen(dc, pen.get());
  {
    ScopedSelect select_brush(dc, face.get());
    Ellipse(dc, square.left, square.top, square.right, square.bottom);
  }
  if (GetCheck() != BST_CHECKED) return;
  OwnedGdiObject<HBRUSH> dot(CreateSolidBrush(ink));
  ScopedSelect select_dot(dc, dot.get());
  Ellipse(dc, square.left + 4, square.top + 4, square.right - 4, square.bottom - 4);
}

}  // namespace platform::controls
