// Thumbnails of a clip's first frame in the sizes the gallery asks for.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "clip/avi_clip.h"

namespace clip {

// How one request is met: the decode mode, the step between the decoded
// pixels kept (1: the decode is the picture) and the picture's size.
struct ThumbnailPlan {
  int mode = 0;
  int step = 1;
  int width = 0;
  int height = 0;
  int bits_per_pixel = 16;
};

// 320-wide clips are decoded at 240 x 180, others at 160 x 120 (or enlarged
// to 240 x 180); the strip's 40 x 30 keeps every sixth or fourth pixel.
ThumbnailPlan PlanThumbnail(DWORD clip_width, int requested_width, int requested_height);

// A picture: rows top line first, with no padding.
struct Picture {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 16;
  std::vector<std::uint8_t> pixels;
};

// The clip's first frame as the plan for its width says; nothing when the
// clip has no first frame or it does not decode.
std::optional<Picture> MakeThumbnail(AviClip& clip, int requested_width, int requested_height);

}  // namespace clip
