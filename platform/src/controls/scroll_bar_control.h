// The "SCROLLBAR" control: a bar filling the control (SBS_VERT or
// SBS_HORZ) that tells its parent what the stylus asks for with WM_VSCROLL
// or WM_HSCROLL; the parent moves the position.
#pragma once

#include "controls/control.h"
#include "controls/scroll_bar_tracker.h"
#include "controls/scroll_model.h"

namespace platform::controls {

class ScrollBarControl : public Control {
 public:
  explicit ScrollBarControl(HWND hwnd);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc) override;
  bool Vertical() const { return (Style() & SBS_VERT) != 0; }
  ScrollBarLayout Layout() const;
  ScrollBarTracker::Sender Sender() const;
  int SetInfo(const SCROLLINFO& info, bool redraw);
  // The SBM_ messages: set and read the range and position.
  LRESULT SetPosition(int position, bool redraw);
  LRESULT SetRange(int minimum, int maximum, bool redraw);
  LRESULT GetInfo(SCROLLINFO* info) const;
  void GetRange(int* minimum, int* maximum) const;
  // The stylus and the auto-repeat timer, which drive the tracker.
  void Press(LPARAM point);
  void Move(LPARAM point);
  void Release();
  void CaptureLost();
  void RepeatTimer(WPARAM id);

  ScrollModel model_;
  ScrollBarTracker tracker_;
};

}  // namespace platform::controls
