#include "statistics.h"

#include <algorithm>

namespace card::internal {

namespace {

constexpr int kCellBytes = 6;
constexpr int kClipped = 235 * 16;
constexpr int kDark = 20 * 16;

std::uint8_t Five(int value) {
  const int v = std::clamp(value, 0, 255);
  return static_cast<std::uint8_t>((v & 0xE0) | ((v >> 1) & 0x0F));
}

std::uint8_t Four(int value) {
  const int v = std::clamp(value, 0, 255);
  return static_cast<std::uint8_t>((v & 0xF0) | ((v >> 1) & 0x07));
}

int Sixteenths(const FrameMemory& memory, std::uint32_t address) {
  return memory.At(address) | memory.At(address + 1) << 8;
}

}  // namespace

ColourMeans CellStatistics(FrameMemory& memory, std::uint32_t source, std::uint32_t destination,
                           std::size_t bytes, const StatisticsParameters& parameters,
                           bool centre_weighted) {
  const int line_width = parameters[0] | parameters[1] << 8;
  const int columns = parameters[2] + 1;
  const int rows = parameters[3] + 1;
  const int cell_width = std::max<int>(parameters[4], 2);
  const int cell_height = std::max<int>(parameters[5], 2);
  std::int64_t weighted[3] = {};
  std::int64_t weights = 0;
  std::uint32_t out = destination;
  for (int cell_row = 0; cell_row < rows; ++cell_row) {
    for (int cell_column = 0; cell_column < columns; ++cell_column) {
      int sums[3] = {};
      int counts[3] = {};
      for (int y = cell_row * cell_height; y < (cell_row + 1) * cell_height; ++y) {
        for (int x = cell_column * cell_width; x < (cell_column + 1) * cell_width; ++x) {
          const std::size_t offset = static_cast<std::size_t>(y) * line_width + x;
          if (x >= line_width || offset >= bytes) continue;
          const int colour = (x & 1) + (y & 1);
          sums[colour] += memory.At(source + static_cast<std::uint32_t>(offset));
          ++counts[colour];
        }
      }
      int means[3];
      for (int colour = 0; colour < 3; ++colour) {
        means[colour] = counts[colour] ? sums[colour] * 16 / counts[colour] : 0;
        memory.Set(out++, static_cast<std::uint8_t>(means[colour]));
        memory.Set(out++, static_cast<std::uint8_t>(means[colour] >> 8));
      }
      if (counts[0] == 0) continue;  // the cell lies outside the data
      const bool centre = cell_column >= columns / 4 && cell_column < columns - columns / 4 &&
                          cell_row >= rows / 4 && cell_row < rows - rows / 4;
      const int weight = centre_weighted && centre ? 4 : 1;
      for (int colour = 0; colour < 3; ++colour) weighted[colour] += means[colour] * weight;
      weights += weight;
    }
  }
  if (weights == 0) return {};
  return {static_cast<int>(weighted[0] / weights / 16),
          static_cast<int>(weighted[1] / weights / 16),
          static_cast<int>(weighted[2] / weights / 16)};
}

ColourMeans GreyWorld(const FrameMemory& memory, std::uint32_t source, std::size_t bytes) {
  std::int64_t sums[3] = {};
  std::int64_t cells = 0;
  for (std::size_t offset = 0; offset + kCellBytes <= bytes; offset += kCellBytes) {
    const std::uint32_t cell = source + static_cast<std::uint32_t>(offset);
    const int blue = Sixteenths(memory, cell);
    const int green = Sixteenths(memory, cell + 2);
    const int red = Sixteenths(memory, cell + 4);
    if (std::max({blue, green, red}) > kClipped || green < kDark) continue;
    sums[0] += blue;
    sums[1] += green;
    sums[2] += red;
    ++cells;
  }
  if (cells == 0) return {};
  return {static_cast<int>(sums[0] / cells / 16), static_cast<int>(sums[1] / cells / 16),
          static_cast<int>(sums[2] / cells / 16)};
}

std::array<std::uint8_t, 3> EncodeMeans(const ColourMeans& means) {
  return {static_cast<std::uint8_t>(Five(means.blue) | 1), Four(means.green), Five(means.red)};
}

}  // namespace card::internal
