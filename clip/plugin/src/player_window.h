// The clip player: a full-screen window with the picture, a position
// slider, the elapsed time and play, pause and stop buttons, playing the
// clip's frames on a timer and its sound through the audio feeder.
#pragma once

#include <string_view>

#include "platform/modules.h"

namespace clip {

inline constexpr char kPlayerCaption[] = "Tarvolen";

// Runs the player for the clip at `path` as a modal window owned by no
// window; returns once it has closed. `module` holds the player's bitmaps.
void RunPlayer(platform::HINSTANCE module, std::string_view path);

}  // namespace clip
