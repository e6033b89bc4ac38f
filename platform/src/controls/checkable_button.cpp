#include "controls/checkable_button.h"

#include <algorithm>

#include "controls/drawing.h"
#include "platform/controls.h"

namespace platform::controls {

void CheckableButton::SetCheck(WPARAM check) {
  const UINT value = static_cast<UINT>(check) & (BST_CHECKED | BST_INDETERMINATE);
  if (value == check_) return;
  check_ = value;
  Redraw();
}

void CheckableButton::Paint(HDC dc) {
  const RECT client = Client();
  HBRUSH background = AskColors(WM_CTLCOLORSTATIC, dc);
  const COLORREF text_color = Enabled() ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  FillRect(dc, &client, background);
  const bool text_left = (Style() & BS_LEFTTEXT) != 0;
  const int top = client.top + (client.bottom - client.top - kIndicatorSize) / 2;
  const int left = text_left ? client.right - kIndicatorSize - 1 : client.left + 1;
  DrawIndicator(dc, RECT{left, top, left + kIndicatorSize, top + kIndicatorSize});
  RECT label = client;
  if (text_left) {
    label.right = left - 4;
  } else {
    label.left = left + kIndicatorSize + 4;
  }
  DrawLabel(dc, Text(), label, DT_LEFT | DT_VCENTER | DT_SINGLELINE, text_color);
  if (Focused()) {
    SIZE extent;
    GetTextExtentPoint32(dc, Text(), &extent);
    const int middle = (client.top + client.bottom) / 2;
    RECT focus{label.left - 2, middle - extent.cy / 2 - 1,
               std::min<int>(label.right, label.left + extent.cx + 2), middle + extent.cy / 2 + 1};
    FrameSolid(dc, focus, GetSysColor(COLOR_BTNSHADOW));
  }
}

}  // namespace platform::controls
