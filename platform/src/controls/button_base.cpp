#include "controls/button_base.h"

#include "platform/controls.h"

namespace platform::controls {

namespace {

bool IsPressKey(WPARAM key) { return key == VK_SPACE || key == VK_ACTION; }

}  // namespace

UINT ButtonBase::DrawState() const {
  UINT state = 0;
  if (pushed_) state |= ODS_SELECTED;
  if (Focused()) state |= ODS_FOCUS;
  if (!Enabled()) state |= ODS_DISABLED | ODS_GRAYED;
  if (GetCheck() == BST_CHECKED) state |= ODS_CHECKED;
  return state;
}

void ButtonBase::Click() { Notify(BN_CLICKED); }

void ButtonBase::SetPushed(bool pushed) {
  if (pushed_ == pushed) return;
  pushed_ = pushed;
  if (Style() & BS_NOTIFY) Notify(pushed ? BN_HILITE : BN_UNHILITE);
  Redraw();
}

void ButtonBase::StylusUp(POINT point) {
  if (!tracking_) return;
  tracking_ = false;
  const RECT client = Client();
  const bool on_button = PtInRect(&client, point) != FALSE;
  if (GetCapture() == hwnd()) ReleaseCapture();
  SetPushed(false);
  // A press that leaves the button before the stylus lifts is no click.
  if (on_button) Click();
}

LRESULT ButtonBase::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  if (auto answer = HandleButtonMessage(message, wparam, lparam)) return *answer;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      StylusDown();
      return 0;
    case WM_MOUSEMOVE:
      StylusMove(StylusPoint(lparam));
      return 0;
    case WM_LBUTTONUP:
      StylusUp(StylusPoint(lparam));
      return 0;
    case WM_CAPTURECHANGED:
      if (tracking_) {
        tracking_ = false;
        SetPushed(false);
      }
      return 0;
    case WM_KEYDOWN:
      if (KeyDown(wparam)) return 0;
      break;
    case WM_KEYUP:
      if (KeyUp(wparam)) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FocusChanged(message == WM_SETFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode();
    default:
      break;
  }
  return Control::Handle(message, wparam, lparam);
}

std::optional<LRESULT> ButtonBase::HandleButtonMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case BM_GETCHECK:
      return GetCheck();
    case BM_SETCHECK:
      SetCheck(wparam);
      return 0;
    case BM_GETSTATE:
      return GetCheck() | (pushed_ ? BST_PUSHED : 0) | (Focused() ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(wparam != 0);
      return 0;
    case BM_CLICK:
      if (Pressable() && Enabled()) Click();
      return 0;
    case BM_SETSTYLE: {
      const DWORD style = (Style() & ~BS_TYPEMASK) | (static_cast<DWORD>(wparam) & BS_TYPEMASK);
      SetWindowLong(hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style));
      if (lparam) Redraw();
      return 0;
    }
    default:
      return std::nullopt;
  }
}

void ButtonBase::StylusDown() {
  if (!Pressable()) return;
  if (!(GetWindowLong(hwnd(), GWL_EXSTYLE) & WS_EX_NOACTIVATE)) SetFocus(hwnd());
  tracking_ = true;
  SetCapture(hwnd());
  SetPushed(true);
}

void ButtonBase::StylusMove(POINT point) {
  if (!tracking_) return;
  const RECT client = Client();
  SetPushed(PtInRect(&client, point) != FALSE);
}

bool ButtonBase::KeyDown(WPARAM key) {
  if (!IsPressKey(key) || !Pressable()) return false;
  key_down_ = true;
  SetPushed(true);
  return true;
}

bool ButtonBase::KeyUp(WPARAM key) {
  if (!IsPressKey(key) || !key_down_) return false;
  key_down_ = false;
  SetPushed(false);
  Click();
  return true;
}

void ButtonBase::FocusChanged(bool focused) {
  if (!focused && key_down_) {
    key_down_ = false;
    SetPushed(false);
  }
  if (Style() & BS_NOTIFY) Notify(focused ? BN_SETFOCUS : BN_KILLFOCUS);
  Redraw();
}

}  // namespace platform::controls
