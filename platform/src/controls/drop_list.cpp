#include "controls/drop_list.h"

namespace platform::controls {

void DropList::Tell(UINT message, WPARAM wparam) const {
  if (combo_ && IsWindow(combo_)) SendMessage(combo_, message, wparam, 0);
}

void DropList::StylusLifted(POINT point) {
  const int index = ItemAt(point);
  if (index >= 0) Tell(kDropListChoseMessage, static_cast<WPARAM>(index));
}

LRESULT DropList::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const RECT client = Client();
      if (!PtInRect(&client, StylusPoint(lparam))) {
        Tell(kDropListCancelMessage, 0);
        return 0;
      }
      break;
    }
    case WM_MOUSEMOVE: {
      // Before any press in the list the stylus only points at rows.
      const int index = ItemAt(StylusPoint(lparam));
      if (index >= 0 && (wparam & MK_LBUTTON)) Select(index);
      break;
    }
    default:
      break;
  }
  const LRESULT result = ListBox::Handle(message, wparam, lparam);
  // The list keeps the stylus while it is open, whatever its rows and bar
  // did with the capture.
  if ((message == WM_LBUTTONUP || message == WM_CAPTURECHANGED) && IsWindow(hwnd()) &&
      IsWindowVisible(hwnd()) && GetCapture() == nullptr) {
    SetCapture(hwnd());
  }
  return result;
}

}  // namespace platform::controls
