// What a stylus press means beyond a tap, on the handheld's clock (the
// stylus input brings no double-tap messages): a second tap close in time
// and place to the one before (DoubleTap), and the stylus held still,
// watched with a window timer (TapGestures, which adds the hold).
#pragma once

#include "platform/window.h"

namespace platform::controls {

class DoubleTap {
 public:
  // A press at `point`; true when it completes a double tap (on the same
  // `item`, when the caller tells items apart).
  bool Press(POINT point, int item = 0);
  // The next press starts a new pair.
  void Reset() { has_previous_ = false; }

 private:
  bool has_previous_ = false;
  DWORD time_ = 0;
  POINT point_;
  int item_ = 0;
};

class TapGestures {
 public:
  static constexpr UINT_PTR kHoldTimer = 0x6E01;

  // The stylus went down: true when this press completes a double tap.
  // With watch_hold a timer watches for tap-and-hold.
  bool Down(HWND hwnd, POINT point, bool watch_hold);
  // A move away from where the press began is no hold.
  void Move(HWND hwnd, POINT point);
  void Up(HWND hwnd);
  // WM_TIMER: true when the tick is the hold being recognised.
  bool Timer(HWND hwnd, WPARAM timer_id);
  // The current (or last) press was held.
  bool held() const { return held_; }

 private:
  void StopWatching(HWND hwnd);

  DoubleTap double_tap_;
  POINT down_point_;
  bool watching_ = false;
  bool held_ = false;
};

}  // namespace platform::controls
