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

  ScrollModel model_;
  ScrollBarTracker tracker_;
};

}  // namespace platform::controls
