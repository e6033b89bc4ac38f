// The four Huffman tables of the JPEG standard's typical-table annex, which
// the decoder always uses and which writers put into images that carry none.
// This is the one home of these tables: every writer takes its DHT segment
// from here, in the table order its files need.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

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

// One of the four tables, by its place in StandardHuffmanTables().
enum class StandardHuffmanTable : uint8_t {
  kDcLuminance = 0,
  kDcChrominance = 1,
  kAcLuminance = 2,
  kAcChrominance = 3,
};
using StandardHuffmanOrder = std::array<StandardHuffmanTable, 4>;

// Both DC tables, then both AC tables (the decoder's own order).
inline constexpr StandardHuffmanOrder kHuffmanDecodingOrder = {
    StandardHuffmanTable::kDcLuminance, StandardHuffmanTable::kDcChrominance,
    StandardHuffmanTable::kAcLuminance, StandardHuffmanTable::kAcChrominance};
// The luminance pair, then the chrominance pair: DC 0, AC 0, DC 1, AC 1, as
// the still pictures carry them.
inline constexpr StandardHuffmanOrder kHuffmanLuminanceFirstOrder = {
    StandardHuffmanTable::kDcLuminance, StandardHuffmanTable::kAcLuminance,
    StandardHuffmanTable::kDcChrominance, StandardHuffmanTable::kAcChrominance};

// Bytes of a segment that defines all four tables.
inline constexpr size_t kStandardHuffmanSegmentBytes = 420;

// One DHT segment (marker FF C4 and length included) that defines the given
// tables in the given order.
std::vector<uint8_t> StandardHuffmanSegment(std::span<const StandardHuffmanTable> order);

// All four tables in decoding order: 420 bytes.
std::span<const uint8_t> StandardHuffmanSegment();

}  // namespace codec
