// What the list view and the tree view share: the focus with its
// notifications, the scroll strip of their rows, and a press of the stylus
// on an item with its gestures (double tap, tap-and-hold, which the parent
// may refuse).
#pragma once

#include "common_controls/event_control.h"
#include "common_controls/scroll_strip.h"
#include "controls/tap_gestures.h"

namespace platform::common_controls {

class ItemControl : public EventControl {
 protected:
  using EventControl::EventControl;

  enum class Press { kStrip, kTap, kDoubleTap };
  // The stylus went down in the rows `area`: the scroll strip takes it, or
  // a press begins on an item (on_item, named to the parent as `item`) or
  // on no item. A double tap ends the press at once.
  Press BeginPress(const RECT& area, POINT point, bool on_item, DWORD item);
  // A move during the press (a thumb drag of the strip, or the end of a
  // hold); true when the strip scrolled.
  bool MovePress(const RECT& area, POINT point);
  // The stylus left the screen: true when the press was a plain tap (no
  // double tap, no recognised hold, not on the strip).
  bool EndPress();
  // Whether the press lasted long enough to be a hold, recognised or not.
  bool PressWasHeld() const;
  bool pressing() const { return press_active_; }
  POINT press_point() const { return press_point_; }

  void OnFocus(bool focused) override;
  // Recognises tap-and-hold and tells the parent (GN_CONTEXTMENU).
  void OnTimer(UINT_PTR timer) override;
  LRESULT DialogCode() const override { return 1; }  // the arrow keys

  bool focused_ = false;
  ScrollStrip scroll_;

 private:
  controls::TapGestures gestures_;
  bool press_active_ = false;
  bool press_consumed_ = false;  // a double tap or a hold answered it
  DWORD press_time_ = 0;
  DWORD press_item_ = 0;
  POINT press_point_;
};

}  // namespace platform::common_controls
