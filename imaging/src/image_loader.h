// Loading a picture file into a bitmap within a maximum size, turned a
// quarter when asked to and when that fills the maximum better.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "fit.h"
#include "imaging/qximglib.h"

namespace imaging {

struct LoadRequest {
  Size limit;  // 0, 0: the picture's own size
  bool rotate_to_fit = false;
  int direction = kTurnCounterClockwise;
  // When given, receives the JPEG transform's reduction in eighths (8 for
  // other formats): what tests and benchmarks look at.
  int* transform_eighths = nullptr;
};

// From the file's bytes; `info` is filled once the picture's size is known.
LoadResult LoadImage(std::span<const std::uint8_t> data, const LoadRequest& request,
                     std::unique_ptr<Bitmap>* bitmap, ImageInfo* info);

}  // namespace imaging
