// The module program's statistics: per-cell colour means of a raw frame
// (commands 36, 38 and the centre-weighted 41, 43), and the grey-world
// means over those cells for white balance (command 37).
#pragma once

#include <array>
#include <cstdint>

#include "frame_memory.h"

namespace card::internal {

struct ColourMeans {
  int blue = 0;
  int green = 0;
  int red = 0;
};

// The parameter block: line width (low, high), columns - 1, rows - 1, cell
// width and height.
using StatisticsParameters = std::array<std::uint8_t, 8>;

// Each cell's means go to `destination` as three 16-bit little-endian
// values (blue, green, red) in 1/16ths; at most `bytes` of raw data from
// `source` are read.
ColourMeans CellStatistics(FrameMemory& memory, std::uint32_t source, std::uint32_t destination,
                           std::size_t bytes, const StatisticsParameters& parameters,
                           bool centre_weighted);
// The mean of the cells in `bytes` from `source` that are neither clipped
// nor too dark; zero when there are none.
ColourMeans GreyWorld(const FrameMemory& memory, std::uint32_t source, std::size_t bytes);

// The three result bytes: blue and red keep 5 bits, green 4 (the low bit
// of the first byte is the command's done flag).
std::array<std::uint8_t, 3> EncodeMeans(const ColourMeans& means);

}  // namespace card::internal
