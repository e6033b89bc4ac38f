// A control's own scroll bars (WS_VSCROLL, WS_HSCROLL), drawn inside its
// client area along the right and bottom edges. Their numbers live with
// SetScrollInfo's, so GetScrollInfo reads what the control set; their
// requests come back to the control as WM_VSCROLL and WM_HSCROLL with
// lParam 0.
#pragma once

#include "controls/scroll_bar_tracker.h"
#include "platform/window.h"

namespace platform::controls {

class OwnScrollBars {
 public:
  // `always`: the bars show (disabled) even when there is nothing to
  // scroll; otherwise they show only when needed.
  OwnScrollBars(HWND hwnd, bool always) : hwnd_(hwnd), always_(always), tracker_(hwnd) {}

  bool Shows(int bar) const;
  // The client area less the bars that show.
  RECT ContentRect() const;
  // Sets a bar's range, page and position.
  void Set(int bar, int minimum, int maximum, int page, int position);
  int Position(int bar) const;
  void Paint(HDC dc) const;

  // Stylus messages and the repeat timer: true when a bar took them.
  bool HandleStylus(UINT message, LPARAM lparam);
  bool HandleTimer(UINT_PTR id);
  void CaptureLost() { tracker_.Cancel(); }
  // Forgets the numbers (the window is going).
  void Forget();

 private:
  ScrollBarLayout Layout(int bar) const;
  ScrollBarTracker::Sender SenderFor(int bar) const;

  HWND hwnd_;
  bool always_;
  ScrollBarTracker tracker_;
  int tracked_bar_ = SB_VERT;
};

}  // namespace platform::controls
