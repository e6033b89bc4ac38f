// Decoding form of one Huffman table: canonical code limits per length plus an
// 8-bit look-ahead that resolves every code of up to 8 bits in one look-up.
#pragma once

#include <array>
#include <cstdint>

#include "codec/standard_huffman_tables.h"

namespace codec {

struct HuffmanDecodingTable {
  std::array<uint8_t, 16> counts{};
  std::array<uint8_t, 256> symbols{};
  int symbol_count = 0;
  // Indexed by code length 1..17; max_code[len] is -1 when no code has that
  // length, and the entry for 17 stops every search.
  std::array<int32_t, 18> max_code{};
  std::array<int32_t, 18> offset{};
  // For each byte value: length of the code the byte begins with (0 when the
  // code is longer than 8 bits) and that code's symbol.
  std::array<uint8_t, 256> look_length{};
  std::array<uint8_t, 256> look_symbol{};
  int longest = 0;
  // For every kFastBits-bit prefix that holds a whole code and its extra
  // bits: the symbol, the coefficient value and their length. Where the
  // prefix holds the code but not all its extra bits: the symbol and the
  // code's length marked kCodeOnly (the extra bits are read after it).
  // Length 0 where the prefix does not hold the code.
  struct FastEntry {
    int16_t value = 0;
    uint8_t symbol = 0;
    uint8_t length = 0;
  };
  static constexpr uint8_t kCodeOnly = 0x80;
  static constexpr int kFastBits = 10;
  std::array<FastEntry, 1 << kFastBits> fast{};
};

// False when the counts describe more codes than fit their lengths.
bool BuildHuffmanTable(const HuffmanTableDefinition& definition, HuffmanDecodingTable& table);

// The four tables in the order DC 0, DC 1, AC 0, AC 1.
using HuffmanTableSet = std::array<HuffmanDecodingTable, 4>;
inline constexpr int kAcTableBase = 2;

}  // namespace codec
