#include "controls/scroll_bar_control.h"

namespace platform::controls {

ScrollBarControl::ScrollBarControl(HWND hwnd) : Control(hwnd), tracker_(hwnd) {
  // A scroll bar control starts with an empty range.
  SCROLLINFO empty;
  empty.fMask = SIF_RANGE;
  model_.Set(empty);
}

ScrollBarLayout ScrollBarControl::Layout() const {
  return LayOutScrollBar(Client(), Vertical(), model_, tracker_.ThumbPosition(model_));
}

ScrollBarTracker::Sender ScrollBarControl::Sender() const {
  HWND self = hwnd();
  const UINT message = Vertical() ? WM_VSCROLL : WM_HSCROLL;
  return [self, message](WORD code, int position) {
    if (HWND parent = GetParent(self)) {
      SendMessage(parent, message, MAKEWPARAM(code, static_cast<WORD>(position)),
                  reinterpret_cast<LPARAM>(self));
    }
  };
}

int ScrollBarControl::SetInfo(const SCROLLINFO& info, bool redraw) {
  const int position = model_.Set(info);
  if (redraw) Redraw();
  return position;
}

void ScrollBarControl::Paint(HDC dc) {
  const RECT client = Client();
  FillRect(dc, &client, GetSysColorBrush(COLOR_SCROLLBAR));
  PaintScrollBar(dc, Layout(), Enabled(), tracker_.shown_pressed());
}

LRESULT ScrollBarControl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case SBM_SETSCROLLINFO: {
      const auto* info = reinterpret_cast<const SCROLLINFO*>(lparam);
      return info ? SetInfo(*info, wparam != 0) : model_.position();
    }
    case SBM_GETSCROLLINFO: {
      auto* info = reinterpret_cast<SCROLLINFO*>(lparam);
      if (!info) return FALSE;
      model_.Get(*info);
      return TRUE;
    }
    case SBM_SETPOS: {
      const int previous = model_.position();
      SCROLLINFO info;
      info.fMask = SIF_POS;
      info.nPos = static_cast<int>(wparam);
      SetInfo(info, lparam != 0);
      return previous;
    }
    case SBM_GETPOS:
      return model_.position();
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      const int previous = model_.position();
      SCROLLINFO info;
      info.fMask = SIF_RANGE;
      info.nMin = static_cast<int>(wparam);
      info.nMax = static_cast<int>(lparam);
      SetInfo(info, message == SBM_SETRANGEREDRAW);
      return previous;
    }
    case SBM_GETRANGE:
      if (auto* minimum = reinterpret_cast<int*>(wparam)) *minimum = model_.minimum();
      if (auto* maximum = reinterpret_cast<int*>(lparam)) *maximum = model_.maximum();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (tracker_.Press(Layout(), model_, StylusPoint(lparam), Sender())) Redraw();
      return 0;
    case WM_MOUSEMOVE:
      if (!tracker_.active()) return 0;
      tracker_.Move(Layout(), model_, StylusPoint(lparam), Sender());
      model_.set_track_position(tracker_.ThumbPosition(model_));
      Redraw();
      return 0;
    case WM_LBUTTONUP:
      tracker_.Release(Sender());
      Redraw();
      return 0;
    case WM_CAPTURECHANGED:
      if (tracker_.active()) {
        tracker_.Cancel();
        Redraw();
      }
      return 0;
    case WM_TIMER:
      if (tracker_.Timer(wparam, Layout(), Sender())) Redraw();
      return 0;
    default:
      return Control::Handle(message, wparam, lparam);
  }
}

}  // namespace platform::controls
