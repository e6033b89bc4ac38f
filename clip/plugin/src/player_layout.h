// Where the player draws: its window, picture area, slider, time and
// buttons, and the ids of its bitmaps (drawn by resources/make_artwork.py,
// which lays the background out around these places).
#pragma once

#include "platform/gdi_types.h"
#include "platform/types.h"

namespace clip::player {

// The window fills the screen between the task bar and the menu bar.
inline constexpr platform::RECT kWindowRect{0, 26, 240, 294};
inline constexpr int kBackgroundBitmap = 130;

inline constexpr platform::RECT kWidePicture{0, 0, 240, 180};
inline constexpr platform::RECT kNarrowPicture{40, 28, 200, 148};
inline constexpr platform::RECT kSliderRect{0, 180, 200, 200};
inline constexpr platform::RECT kTimeRect{200, 180, 240, 195};
inline constexpr int kSliderId = 1001;

enum Button { kPlay = 0, kPause = 1, kStop = 2, kButtonCount = 3 };
enum ButtonState { kHeld = 1, kInactive = 2, kActive = 3 };

inline constexpr platform::RECT kButtonRects[kButtonCount] = {
    {36, 210, 84, 250}, {96, 210, 144, 250}, {156, 210, 204, 250}};

// Bitmap of a button in a state: three ids a button, held, inactive, active.
constexpr int ButtonBitmap(Button button, ButtonState state) {
  return 140 + 3 * button + state - 1;
}

// Taps inside these circles (radius 10): the help box, and the window's
// default handling.
inline constexpr platform::POINT kHelpSpot{226, 60};
inline constexpr platform::POINT kDefaultSpot{226, 32};
inline constexpr int kSpotRadius = 10;

}  // namespace clip::player
