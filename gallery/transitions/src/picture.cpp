#include "gallery/transitions/picture.h"

#include <algorithm>
#include <cstring>

namespace gallery::transitions {

Picture PictureOf(platform::gdi::Surface& surface) {
  if (surface.empty() || surface.bits_per_pixel() != 24) return {};
  const std::ptrdiff_t stride = surface.height() > 1
                                    ? surface.Row(1) - surface.Row(0)
                                    : static_cast<std::ptrdiff_t>(surface.stride());
  return {surface.Row(0), surface.width(), surface.height(), stride};
}

void CopyBlock(const Picture& dest, int x, int y, const Picture& source, int source_x, int source_y,
               int width, int height) {
  // Clip against both pictures, moving both corners together.
  const int left_cut = std::max({0, -x, -source_x});
  const int top_cut = std::max({0, -y, -source_y});
  x += left_cut;
  source_x += left_cut;
  width -= left_cut;
  y += top_cut;
  source_y += top_cut;
  height -= top_cut;
  width = std::min({width, dest.width - x, source.width - source_x});
  height = std::min({height, dest.height - y, source.height - source_y});
  if (width <= 0 || height <= 0) return;
  for (int row = 0; row < height; ++row)
    std::memmove(dest.At(x, y + row), source.At(source_x, source_y + row),
                 static_cast<std::size_t>(width) * 3);
}

void CopyShifted(const Picture& dest, const Picture& source, int offset_x, int offset_y) {
  CopyBlock(dest, offset_x, offset_y, source, 0, 0, source.width, source.height);
}

void StretchBlock(const Picture& dest, const platform::RECT& to, const Picture& source,
                  const platform::RECT& from) {
  const int to_width = to.right - to.left;
  const int to_height = to.bottom - to.top;
  const int from_width = from.right - from.left;
  const int from_height = from.bottom - from.top;
  if (to_width <= 0 || to_height <= 0 || from_width <= 0 || from_height <= 0) return;
  for (int y = std::max<int>(to.top, 0); y < std::min<int>(to.bottom, dest.height); ++y) {
    const int source_y = from.top + (y - to.top) * from_height / to_height;
    if (source_y < 0 || source_y >= source.height) continue;
    for (int x = std::max<int>(to.left, 0); x < std::min<int>(to.right, dest.width); ++x) {
      const int source_x = from.left + (x - to.left) * from_width / to_width;
      if (source_x < 0 || source_x >= source.width) continue;
      std::memcpy(dest.At(x, y), source.At(source_x, source_y), 3);
    }
  }
}

}  // namespace gallery::transitions
