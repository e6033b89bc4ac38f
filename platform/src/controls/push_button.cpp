#include "controls/push_button.h"

#include "controls/drawing.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "windows/system_colors.h"

namespace platform::controls {

bool PushButton::OwnerDrawn() const { return (Style() & BS_TYPEMASK) == BS_OWNERDRAW; }

bool PushButton::IsDefault() const { return (Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

UINT PushButton::DialogCode() const {
  if (OwnerDrawn()) return DLGC_BUTTON;
  return DLGC_BUTTON | (IsDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void PushButton::Paint(HDC dc) {
  const RECT client = Client();
  if (OwnerDrawn()) {
    DRAWITEMSTRUCT item;
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(Id());
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = DrawState();
    item.hwndItem = hwnd();
    item.hDC = dc;
    item.rcItem = client;
    if (HWND parent = Parent()) {
      SendMessage(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    }
    return;
  }
  const bool enabled = Enabled();
  const COLORREF frame = enabled ? windows::kTextColor : GetSysColor(COLOR_GRAYTEXT);
  // Pressed, the button shows inverted: dark face, light text.
  const COLORREF face = pushed() ? GetSysColor(COLOR_HIGHLIGHT) : windows::kButtonFaceColor;
  COLORREF text = pushed() ? GetSysColor(COLOR_HIGHLIGHTTEXT) : windows::kTextColor;
  if (!enabled) text = GetSysColor(COLOR_GRAYTEXT);
  FillSolid(dc, client, face);
  FrameSolid(dc, client, frame, IsDefault() ? 2 : 1);
  if (Focused()) {
    RECT focus = client;
    InflateRect(&focus, IsDefault() ? -3 : -2, IsDefault() ? -3 : -2);
    FrameSolid(dc, focus, GetSysColor(COLOR_BTNSHADOW));
  }
  RECT area = client;
  InflateRect(&area, -3, -2);
  const UINT format =
      (Style() & BS_MULTILINE) ? DT_CENTER | DT_WORDBREAK : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  DrawLabel(dc, Text(), area, format, text);
}

}  // namespace platform::controls
