#include "controls/tap_gestures.h"

#include <cstdlib>

#include "platform/common_controls/notify.h"
#include "platform/time.h"

namespace platform::controls {

namespace {

bool Near(POINT a, POINT b) {
  return std::abs(a.x - b.x) <= kDoubleTapDistance && std::abs(a.y - b.y) <= kDoubleTapDistance;
}

}  // namespace

bool DoubleTap::Press(POINT point, int item) {
  const DWORD now = GetTickCount();
  const bool second =
      has_previous_ && item == item_ && now - time_ <= kDoubleTapTimeMs && Near(point, point_);
  // A double tap is complete: a third tap starts over.
  has_previous_ = !second;
  time_ = now;
  point_ = point;
  item_ = item;
  return second;
}

bool TapGestures::Down(HWND hwnd, POINT point, bool watch_hold) {
  StopWatching(hwnd);
  const bool double_tap = double_tap_.Press(point);
  down_point_ = point;
  held_ = false;
  if (watch_hold) {
    watching_ = true;
    SetTimer(hwnd, kHoldTimer, kTapAndHoldTimeMs, nullptr);
  }
  return double_tap;
}

void TapGestures::Move(HWND hwnd, POINT point) {
  if (watching_ && !Near(point, down_point_)) StopWatching(hwnd);
}

void TapGestures::Up(HWND hwnd) { StopWatching(hwnd); }

bool TapGestures::Timer(HWND hwnd, WPARAM timer_id) {
  if (timer_id != kHoldTimer) return false;
  const bool recognised = watching_;
  StopWatching(hwnd);
  if (recognised) {
    held_ = true;
    double_tap_.Reset();  // a hold is no first tap of a double tap
  }
  return recognised;
}

void TapGestures::StopWatching(HWND hwnd) {
  if (!watching_) return;
  watching_ = false;
  KillTimer(hwnd, kHoldTimer);
}

}  // namespace platform::controls
