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

LRESULT ScrollBarControl::SetPosition(int position, bool redraw) {
  const int previous = model_.position();
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = position;
  SetInfo(info, redraw);
  return previous;
}

LRESULT ScrollBarControl::SetRange(int minimum, int maximum, bool redraw) {
  const int previous = model_.position();
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  info.nMin = minimum;
  info.nMax = maximum;
  SetInfo(info, redraw);
  return previous;
}

LRESULT ScrollBarControl::GetInfo(SCROLLINFO* info) const {
  if (!info) return FALSE;
  model_.Get(*info);
  return TRUE;
}

void ScrollBarControl::GetRange(int* minimum, int* maximum) const {
  if (minimum) *minimum = model_.minimum();
  if (maximum) *maximum = model_.maximum();
}

void ScrollBarControl::Press(LPARAM point) {
  if (tracker_.Press(Layout(), model_, StylusPoint(point), Sender())) Redraw();
}

void ScrollBarControl::Move(LPARAM point) {
  if (!tracker_.active()) return;
  tracker_.Move(Layout(), model_, StylusPoint(point), Sender());
  model_.set_track_position(tracker_.ThumbPosition(model_));
  Redraw();
}

void ScrollBarControl::Release() {
  tracker_.Release(Sender());
  Redraw();
}

void ScrollBarControl::CaptureLost() {
  if (!tracker_.active()) return;
  tracker_.Cancel();
  Redraw();
}

void ScrollBarControl::RepeatTimer(WPARAM id) {
  if (tracker_.Timer(id, Layout(), Sender())) Redraw();
}

LRESULT ScrollBarControl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  const int low = static_cast<int>(wparam), high = static_cast<int>(lparam);
  switch (message) {
    case SBM_SETSCROLLINFO: {
      const auto* info = reinterpret_cast<const SCROLLINFO*>(lparam);
      return info ? SetInfo(*info, wparam != 0) : model_.position();
    }
    case SBM_GETSCROLLINFO:
      return GetInfo(reinterpret_cast<SCROLLINFO*>(lparam));
    case SBM_SETPOS:
      return SetPosition(low, lparam != 0);
    case SBM_GETPOS:
      return model_.position();
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      return SetRange(low, high, message == SBM_SETRANGEREDRAW);
    case SBM_GETRANGE:
      GetRange(reinterpret_cast<int*>(wparam), reinterpret_cast<int*>(lparam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return Press(lparam), 0;
    case WM_MOUSEMOVE:
      return Move(lparam), 0;
    case WM_LBUTTONUP:
      return Release(), 0;
    case WM_CAPTURECHANGED:
      return CaptureLost(), 0;
    case WM_TIMER:
      return RepeatTimer(wparam), 0;
    default:
      return Control::Handle(message, wparam, lparam);
  }
}

}  // namespace platform::controls
