// The texts drawn over the preview.
#pragma once

#include <string>

#include "platform/types.h"

namespace camera {

// The still or stream size the next picture or clip takes: "1280x1024",
// "1280x960", "640x480" or "320x240" in Still mode, "320x240" or "160x120"
// in Video mode.
std::string SizeLabel();
// "%ldF/S" for the time between two paints; empty when no time passed
// (the caller keeps its previous text then).
std::string FrameRateText(platform::DWORD previous_tick, platform::DWORD current_tick);

}  // namespace camera
