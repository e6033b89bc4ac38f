// What a stylus press means beyond a tap: a second tap close in time and
// place (double tap), or the stylus held still (tap-and-hold). Times come
// from the handheld's clock; the hold is watched with a window timer.
#pragma once

#include "platform/window.h"

namespace platform::common_controls {

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

  bool has_previous_ = false;
  DWORD previous_time_ = 0;
  POINT previous_point_;
  POINT down_point_;
  bool watching_ = false;
  bool held_ = false;
};

}  // namespace platform::common_controls
