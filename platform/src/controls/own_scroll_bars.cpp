#include "controls/own_scroll_bars.h"

#include <algorithm>

#include "controls/control.h"
#include "controls/scroll_info_store.h"
#include "platform/window_paint.h"

namespace platform::controls {

bool OwnScrollBars::Shows(int bar) const {
  const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE));
  if (!(style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) return false;
  return always_ || ScrollInfoStore::Get().Model(hwnd_, bar).Scrollable();
}

RECT OwnScrollBars::ContentRect() const {
  RECT content;
  GetClientRect(hwnd_, &content);
  if (Shows(SB_VERT)) content.right = std::max(content.left, content.right - kScrollBarSize);
  if (Shows(SB_HORZ)) content.bottom = std::max(content.top, content.bottom - kScrollBarSize);
  return content;
}

void OwnScrollBars::Set(int bar, int minimum, int maximum, int page, int position) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = minimum;
  info.nMax = maximum;
  info.nPage = static_cast<UINT>(std::max(page, 0));
  info.nPos = position;
  ScrollInfoStore::Get().Set(hwnd_, bar, info);
}

int OwnScrollBars::Position(int bar) const {
  return ScrollInfoStore::Get().Model(hwnd_, bar).position();
}

ScrollBarLayout OwnScrollBars::Layout(int bar) const {
  const RECT content = ContentRect();
  RECT strip = bar == SB_VERT
                   ? RECT{content.right, 0, content.right + kScrollBarSize, content.bottom}
                   : RECT{0, content.bottom, content.right, content.bottom + kScrollBarSize};
  const ScrollModel model = ScrollInfoStore::Get().Model(hwnd_, bar);
  const int thumb =
      tracker_.active() && tracked_bar_ == bar ? tracker_.ThumbPosition(model) : model.position();
  return LayOutScrollBar(strip, bar == SB_VERT, model, thumb);
}

void OwnScrollBars::Paint(HDC dc) const {
  const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
  for (int bar : {SB_VERT, SB_HORZ}) {
    if (!Shows(bar)) continue;
    const ScrollPart pressed = tracked_bar_ == bar ? tracker_.shown_pressed() : ScrollPart::kNone;
    PaintScrollBar(dc, Layout(bar), enabled, pressed);
  }
  if (Shows(SB_VERT) && Shows(SB_HORZ)) {
    const RECT content = ContentRect();
    const RECT corner{content.right, content.bottom, content.right + kScrollBarSize,
                      content.bottom + kScrollBarSize};
    FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
}

ScrollBarTracker::Sender OwnScrollBars::SenderFor(int bar) const {
  HWND hwnd = hwnd_;
  return [hwnd, bar](WORD code, int position) {
    SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                MAKEWPARAM(code, static_cast<WORD>(position)), 0);
  };
}

bool OwnScrollBars::HandleStylus(UINT message, LPARAM lparam) {
  const POINT point = StylusPoint(lparam);
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    for (int bar : {SB_VERT, SB_HORZ}) {
      if (!Shows(bar)) continue;
      const ScrollModel model = ScrollInfoStore::Get().Model(hwnd_, bar);
      tracked_bar_ = bar;
      if (tracker_.Press(Layout(bar), model, point, SenderFor(bar))) {
        InvalidateRect(hwnd_, nullptr, FALSE);
        return true;
      }
    }
    return false;
  }
  if (!tracker_.active()) return false;
  if (message == WM_MOUSEMOVE) {
    const ScrollModel model = ScrollInfoStore::Get().Model(hwnd_, tracked_bar_);
    tracker_.Move(Layout(tracked_bar_), model, point, SenderFor(tracked_bar_));
    ScrollInfoStore::Get().SetTrackPosition(hwnd_, tracked_bar_, tracker_.ThumbPosition(model));
  } else if (message == WM_LBUTTONUP) {
    tracker_.Release(SenderFor(tracked_bar_));
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

bool OwnScrollBars::HandleTimer(UINT_PTR id) {
  if (!tracker_.Timer(id, Layout(tracked_bar_), SenderFor(tracked_bar_))) return false;
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

void OwnScrollBars::Forget() { ScrollInfoStore::Get().Forget(hwnd_); }

}  // namespace platform::controls
