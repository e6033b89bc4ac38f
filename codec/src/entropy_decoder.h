// Huffman decoding of one 8x8 block: the DC difference added to the
// component's predictor, then the AC run/size symbols up to end of block.
// Coefficients are dequantised as they are stored.
#pragma once

#include <algorithm>
#include <cstdint>

#include "bit_reader.h"
#include "codec/jpeg_decoder.h"
#include "huffman_table.h"
#include "idct.h"

namespace codec {

// Natural (row-major) position of each zigzag index.
inline constexpr uint8_t kNaturalOrder[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

inline constexpr int kBadCode = -1;
inline constexpr int kExhausted = -2;

// Value of `count` extra bits: the upper half of the range is positive, the
// lower half stands for negative values.
inline int32_t Extend(uint32_t bits, int count) {
  if (count == 0) return 0;
  const int32_t value = static_cast<int32_t>(bits);
  return value > (1 << (count - 1)) - 1 ? value : value - ((1 << count) - 1);
}

// Decodes one symbol; kBadCode for a code longer than the table's longest,
// kExhausted when the source ends.
inline int DecodeSymbol(BitReader& reader, const HuffmanDecodingTable& table) {
  if (reader.bits() < 8) {
    reader.Prefetch();
    if (reader.bits() < 8 && !reader.Need(8)) return kExhausted;
  }
  const uint32_t peek = reader.Peek(8);
  if (const int length = table.look_length[peek]; length != 0) {
    reader.Drop(length);
    return table.look_symbol[peek];
  }
  reader.Drop(8);
  int32_t code = static_cast<int32_t>(peek);
  int length = 8;
  while (code > table.max_code[length]) {
    if (length >= table.longest) return kBadCode;
    uint32_t bit;
    if (!reader.Read(1, bit)) return kExhausted;
    code = code << 1 | static_cast<int32_t>(bit);
    ++length;
  }
  const int index = table.offset[length] + code;
  if (index < 0 || index >= table.symbol_count) return kBadCode;
  return table.symbols[index];
}

inline int32_t Dequantise(int64_t value, int32_t quant) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value * quant, -kCoefficientLimit, kCoefficientLimit));
}

struct BlockTables {
  const HuffmanDecodingTable* dc;
  const HuffmanDecodingTable* ac;
  const int32_t* quant;  // natural order
};

// Decodes one block into `block` (all zero on entry). With `keep_ac` false the
// AC coefficients are decoded and dropped. `shape` records where non-zero
// coefficients were stored.
inline JpegResult DecodeBlock(BitReader& reader, const BlockTables& tables, int32_t& predictor,
                              bool keep_ac, int32_t* block, BlockShape& shape) {
  shape = BlockShape{};
  reader.Prefetch();
  const int size = DecodeSymbol(reader, *tables.dc);
  if (size < 0) return size == kExhausted ? kJpegBadStream : kJpegBadDcCode;
  uint32_t bits;
  if (size > 16 || !reader.Read(size, bits)) {
    return size > 16 ? kJpegBadDcCode : kJpegBadStream;
  }
  // The predictor wraps like the 32-bit register it models.
  predictor = static_cast<int32_t>(static_cast<uint32_t>(predictor) +
                                   static_cast<uint32_t>(Extend(bits, size)));
  block[0] = Dequantise(predictor, tables.quant[0]);

  const HuffmanDecodingTable& ac = *tables.ac;
  for (int k = 1; k < 64;) {
    if (reader.bits() < 32) reader.Prefetch();
    int symbol;
    int32_t value = 0;
    const HuffmanDecodingTable::FastEntry* fast =
        reader.bits() >= HuffmanDecodingTable::kFastBits
            ? &ac.fast[reader.Peek(HuffmanDecodingTable::kFastBits)]
            : nullptr;
    if (fast != nullptr && fast->length != 0) {
      // The code and its extra bits in one look-up.
      reader.Drop(fast->length);
      symbol = fast->symbol;
      value = fast->value;
    } else {
      symbol = DecodeSymbol(reader, ac);
      if (symbol < 0) return symbol == kExhausted ? kJpegBadStream : kJpegBadAcCode;
      if ((symbol & 15) != 0) {
        if (!reader.Read(symbol & 15, bits)) return kJpegBadStream;
        value = Extend(bits, symbol & 15);
      }
    }
    const int run = symbol >> 4;
    if ((symbol & 15) == 0) {
      if (run == 0) break;  // end of block
      k += 16;
      continue;
    }
    k += run;
    // A run past the last coefficient only comes from damaged data.
    if (k > 63) return kJpegBadAcCode;
    if (keep_ac) {
      const int position = kNaturalOrder[k];
      block[position] = Dequantise(value, tables.quant[position]);
      if (block[position] != 0) {
        shape.lines |= static_cast<uint8_t>(1 << (position >> 3));
        shape.columns |= static_cast<uint8_t>(1 << (position & 7));
      }
    }
    ++k;
  }
  return kJpegOk;
}

}  // namespace codec
