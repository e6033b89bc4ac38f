#include "common_controls/tap_gestures.h"

#include <cstdlib>

#include "platform/common_controls/notify.h"
#include "platform/time.h"

namespace platform::common_controls {

namespace {

bool Near(POINT a, POINT b) {
  return std::abs(a.x - b.x) <= kDoubleTapDistance && std::abs(a.y - b.y) <= kDoubleTapDistance;
}

}  // namespace

bool TapGestures::Down(HWND hwnd, POINT point, bool watch_hold) {
  StopWatching(hwnd);
  const DWORD now = GetTickCount();
  const bool double_tap =
      has_previous_ && now - previous_time_ <= kDoubleTapTimeMs && Near(point, previous_point_);
  // A double tap is complete: a third tap starts a new pair.
  has_previous_ = !double_tap;
  previous_time_ = now;
  previous_point_ = point;
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
    has_previous_ = false;  // a hold is no first tap of a double tap
  }
  return recognised;
}

void TapGestures::StopWatching(HWND hwnd) {
  if (!watching_) return;
  watching_ = false;
  KillTimer(hwnd, kHoldTimer);
}

}  // namespace platform::common_controls
