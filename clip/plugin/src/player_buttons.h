// The three image buttons of the player and what the pen does to them.
#pragma once

#include <array>
#include <optional>

#include "player_layout.h"

namespace clip::player {

class PlayerButtons {
 public:
  using States = std::array<ButtonState, kButtonCount>;

  PlayerButtons() { Reset(); }
  const States& states() const { return states_; }
  ButtonState state(Button button) const { return states_[button]; }

  // Idle: play active, pause and stop inactive.
  void Reset() { states_ = {kActive, kInactive, kInactive}; }
  // After play started: play inactive, pause and stop active.
  void Playing() { states_ = {kInactive, kActive, kActive}; }
  // After a pause: play and stop active, pause inactive.
  void Paused() { states_ = {kActive, kInactive, kActive}; }

  // The pen went down on `button`: an active one shows held. True when it
  // did.
  bool Press(Button button);
  // The pen came up over `button` (none: elsewhere). The button held since
  // the press when the pen came up on it, else nothing (and the states go
  // back to those before the press).
  std::optional<Button> Release(std::optional<Button> button);

 private:
  States states_{};
  States before_press_{};
  std::optional<Button> held_;
};

// The button under a point of the window, if any.
std::optional<Button> ButtonAt(platform::POINT point);

}  // namespace clip::player
