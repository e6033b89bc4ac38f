#include "player_buttons.h"

namespace clip::player {

bool PlayerButtons::Press(Button button) {
  if (states_[button] != kActive) return false;
  before_press_ = states_;
  held_ = button;
  switch (button) {
    case kPlay:
      states_ = {kHeld, kActive, kActive};
      break;
    case kPause:
      states_ = {kActive, kHeld, kActive};
      break;
    case kStop:
      states_ = {kActive, kInactive, kHeld};
      break;
    case kButtonCount:
      break;
  }
  return true;
}

std::optional<Button> PlayerButtons::Release(std::optional<Button> button) {
  const std::optional<Button> held = held_;
  held_.reset();
  if (!held) return std::nullopt;
  if (button != held) {
    states_ = before_press_;
    return std::nullopt;
  }
  return held;
}

std::optional<Button> ButtonAt(platform::POINT point) {
  for (int i = 0; i < kButtonCount; ++i) {
    const platform::RECT& r = kButtonRects[i];
    if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) {
      return static_cast<Button>(i);
    }
  }
  return std::nullopt;
}

}  // namespace clip::player
