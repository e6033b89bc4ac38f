#include "controls/static_control.h"

#include <string>

#include "controls/drawing.h"
#include "platform/controls.h"
#include "platform/dialogs.h"

namespace platform::controls {

LRESULT StaticControl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      if (!(Style() & SS_NOTIFY)) return PassStylusToParent(message, wparam, lparam);
      if (message == WM_LBUTTONDOWN) Notify(STN_CLICKED);
      if (message == WM_LBUTTONDBLCLK) Notify(STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      if (Style() & SS_NOTIFY) Notify(wparam ? STN_ENABLE : STN_DISABLE);
      break;
    case STM_SETIMAGE:
      return SetImage(wparam, lparam);
    case STM_GETIMAGE:
      return wparam == IMAGE_ICON ? reinterpret_cast<LRESULT>(icon_)
                                  : reinterpret_cast<LRESULT>(bitmap_);
    case STM_SETICON:
      return SetImage(IMAGE_ICON, static_cast<LPARAM>(wparam));
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(icon_);
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    default:
      break;
  }
  return Control::Handle(message, wparam, lparam);
}

LRESULT StaticControl::SetImage(WPARAM type, LPARAM image) {
  LRESULT previous = 0;
  if (type == IMAGE_ICON) {
    previous = reinterpret_cast<LRESULT>(icon_);
    icon_ = reinterpret_cast<HICON>(image);
  } else if (type == IMAGE_BITMAP) {
    previous = reinterpret_cast<LRESULT>(bitmap_);
    bitmap_ = reinterpret_cast<HBITMAP>(image);
    BITMAP info;
    // A bitmap static takes the bitmap's size, unless it centres the image.
    if (bitmap_ && Kind() == SS_BITMAP && !(Style() & SS_CENTERIMAGE) &&
        GetObject(bitmap_, sizeof(info), &info)) {
      SetWindowPos(hwnd(), nullptr, 0, 0, info.bmWidth, info.bmHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  } else {
    return 0;
  }
  Redraw();
  return previous;
}

void StaticControl::Paint(HDC dc) {
  const RECT client = Client();
  HBRUSH background = AskColors(WM_CTLCOLORSTATIC, dc);
  FillRect(dc, &client, background);
  switch (Kind()) {
    case SS_BITMAP:
      PaintBitmap(dc, client);
      break;
    case SS_ICON:
      if (icon_) DrawIcon(dc, client.left, client.top, icon_);
      break;
    default:
      PaintText(dc, client);
      break;
  }
}

void StaticControl::PaintBitmap(HDC dc, const RECT& client) const {
  BITMAP info;
  if (!bitmap_ || !GetObject(bitmap_, sizeof(info), &info)) return;
  int x = client.left;
  int y = client.top;
  if (Style() & SS_CENTERIMAGE) {
    x += (client.right - client.left - info.bmWidth) / 2;
    y += (client.bottom - client.top - info.bmHeight) / 2;
  }
  HDC memory = CreateCompatibleDC(dc);
  {
    ScopedSelect select(memory, bitmap_);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  }
  DeleteDC(memory);
}

void StaticControl::PaintText(HDC dc, const RECT& client) const {
  UINT format = DT_LEFT;
  switch (Kind()) {
    case SS_CENTER:
      format = DT_CENTER | DT_WORDBREAK;
      break;
    case SS_RIGHT:
      format = DT_RIGHT | DT_WORDBREAK;
      break;
    case SS_LEFTNOWORDWRAP:
      format = DT_LEFT;
      break;
    default:
      format = DT_LEFT | DT_WORDBREAK;
      break;
  }
  if (Style() & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (Style() & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_VCENTER | DT_SINGLELINE;
  if (!Enabled()) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  RECT area = client;
  DrawText(dc, GetWindowText(hwnd()), &area, format);
}

}  // namespace platform::controls
