// The four Huffman tables of the JPEG standard's typical-table annex, which
// the decoder always uses and which writers put into images that carry none.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace codec {

struct HuffmanTableDefinition {
  uint8_t table_class;               // 0 DC, 1 AC
  uint8_t table_id;                  // 0 luminance, 1 chrominance
  std::array<uint8_t, 16> counts;    // number of codes of length 1..16
  std::span<const uint8_t> symbols;  // in code order
};

// In decoding-table order: DC luminance, DC chrominance, AC luminance,
// AC chrominance.
std::span<const HuffmanTableDefinition, 4> StandardHuffmanTables();

// One DHT segment (marker FF C4 included) that defines all four tables:
// 420 bytes.
std::span<const uint8_t> StandardHuffmanSegment();

}  // namespace codec
