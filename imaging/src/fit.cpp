#include "fit.h"

#include <algorithm>
#include <cstdint>

namespace imaging {

Size FitWithin(Size picture, Size limit) {
  const std::int64_t width = picture.width;
  const std::int64_t height = picture.height;
  const std::int64_t max_width = limit.width > 0 ? limit.width : width;
  const std::int64_t max_height = limit.height > 0 ? limit.height : height;
  if (width <= max_width && height <= max_height) return picture;
  // Bound by whichever side reaches its limit first.
  if (width * max_height >= height * max_width) {
    const std::int64_t fitted = (height * max_width + width / 2) / width;
    return {static_cast<int>(max_width), static_cast<int>(std::max<std::int64_t>(1, fitted))};
  }
  const std::int64_t fitted = (width * max_height + height / 2) / height;
  return {static_cast<int>(std::max<std::int64_t>(1, fitted)), static_cast<int>(max_height)};
}

bool TurnCoversMore(Size picture, Size target) {
  if (target.width <= 0 || target.height <= 0) return false;
  const Size as_is = FitWithin(picture, target);
  const Size turned = FitWithin({picture.height, picture.width}, target);
  return std::int64_t{turned.width} * turned.height > std::int64_t{as_is.width} * as_is.height;
}

int DctScaleEighths(Size picture, Size wanted, long long max_pixels) {
  int eighths = 8;
  if (wanted.width > 0 || wanted.height > 0) {
    for (eighths = 1; eighths < 8; ++eighths) {
      if (ScaledSide(picture.width, eighths) >= wanted.width &&
          ScaledSide(picture.height, eighths) >= wanted.height) {
        break;
      }
    }
  }
  for (; eighths >= 1; --eighths) {
    const long long pixels = static_cast<long long>(ScaledSide(picture.width, eighths)) *
                             ScaledSide(picture.height, eighths);
    if (pixels <= max_pixels) return eighths;
  }
  return 0;
}

}  // namespace imaging
