#include "field_image.h"

#include <algorithm>
#include <cstring>

#include "card/scene.h"

namespace card::internal {

FieldImage::FieldImage(std::vector<std::uint8_t> rgb) { levels_[0] = std::move(rgb); }

const std::vector<std::uint8_t>& FieldImage::Level(int scale) {
  const int index = scale >= 4 ? 2 : scale - 1;
  if (levels_[index].empty()) {
    const std::vector<std::uint8_t>& finer = Level(scale / 2);
    const int width = kFieldWidth / scale;
    const int height = kFieldHeight / scale;
    const int finer_width = width * 2;
    std::vector<std::uint8_t>& level = levels_[index];
    level.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        for (int c = 0; c < 3; ++c) {
          auto at = [&](int dx, int dy) {
            return finer[(static_cast<std::size_t>(2 * y + dy) * finer_width + 2 * x + dx) * 3 + c];
          };
          level[(static_cast<std::size_t>(y) * width + x) * 3 + c] =
              static_cast<std::uint8_t>((at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1) + 2) / 4);
        }
      }
    }
  }
  return levels_[index];
}

void FieldImage::Copy(int scale, int x, int y, int width, int height, int shift_x,
                      std::span<std::uint8_t> rgb) {
  scale = scale >= 4 ? 4 : std::max(scale, 1);
  const std::vector<std::uint8_t>& level = Level(scale);
  const int level_width = kFieldWidth / scale;
  const int level_height = kFieldHeight / scale;
  const int shift = shift_x / scale;
  for (int row = 0; row < height; ++row) {
    const int source_row = std::clamp(y + row, 0, level_height - 1);
    const std::uint8_t* line = &level[static_cast<std::size_t>(source_row) * level_width * 3];
    std::uint8_t* out = &rgb[static_cast<std::size_t>(row) * width * 3];
    const int first = x - shift;
    // The inside part in one copy, the edges repeated.
    const int inside_begin = std::clamp(-first, 0, width);
    const int inside_end = std::clamp(level_width - first, inside_begin, width);
    for (int column = 0; column < inside_begin; ++column) std::memcpy(out + column * 3, line, 3);
    if (inside_end > inside_begin) {
      std::memcpy(out + inside_begin * 3, line + (first + inside_begin) * 3,
                  static_cast<std::size_t>(inside_end - inside_begin) * 3);
    }
    for (int column = inside_end; column < width; ++column) {
      std::memcpy(out + column * 3, line + (level_width - 1) * 3, 3);
    }
  }
}

}  // namespace card::internal
