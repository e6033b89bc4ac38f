// The module's compressor: the raw frame in memory, its colours
// interpolated and scaled to the output size, compressed as a baseline
// JPEG scan with the uploaded quantiser tables and the standard Huffman
// tables. The result is what the module writes: the entropy-coded scan and
// the end-of-image marker, padded to whole 16-bit words.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "frame_memory.h"

namespace card::internal {

struct CompressionJob {
  std::uint32_t source = 0;
  int line_width = 0;  // raw pixels per line
  int raw_height = 0;  // raw lines
  int margin_x = 0;    // raw pixels around the picture, split on both sides
  int margin_y = 0;
  int output_width = 0;
  int output_height = 0;
  int grid_columns = 0;  // blocks of the scan
  int grid_rows = 0;
  bool full_chroma = false;  // 4:4:4, otherwise 4:2:0
  bool monochrome = false;   // chroma held at the two values below
  std::uint8_t fixed_blue_difference = 128;
  std::uint8_t fixed_red_difference = 128;
  std::array<std::uint8_t, 128> quantiser_codes{};
};

// Empty when the job makes no picture (no size, or the compressor fails).
std::vector<std::uint8_t> CompressScan(const CompressionJob& job, const FrameMemory& memory);

}  // namespace card::internal
