#include "controls/group_box.h"

#include <algorithm>
#include <string>

#include "controls/drawing.h"
#include "platform/dialogs.h"

namespace platform::controls {

UINT GroupBox::DialogCode() const { return DLGC_STATIC; }

LRESULT GroupBox::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      return PassStylusToParent(message, wparam, lparam);
    default:
      return ButtonBase::Handle(message, wparam, lparam);
  }
}

void GroupBox::Paint(HDC dc) {
  const RECT client = Client();
  HBRUSH background = AskColors(WM_CTLCOLORSTATIC, dc);
  const COLORREF text_color = Enabled() ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  FillRect(dc, &client, background);
  const std::string text = Text();
  SIZE extent{0, 0};
  GetTextExtentPoint32(dc, text.empty() ? "X" : text, &extent);
  // The frame runs through the middle of the caption's line.
  RECT frame = client;
  frame.top += extent.cy / 2;
  FrameSolid(dc, frame, GetSysColor(COLOR_BTNSHADOW));
  if (text.empty()) return;
  RECT caption{client.left + 6, client.top, client.left + 6 + extent.cx + 4,
               client.top + extent.cy};
  caption.right = std::min(caption.right, client.right - 2);
  FillRect(dc, &caption, background);
  caption.left += 2;
  DrawLabel(dc, text, caption, DT_LEFT | DT_TOP | DT_SINGLELINE, text_color);
}

}  // namespace platform::controls
