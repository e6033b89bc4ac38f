// Huffman decoding of one 8x8 block: the DC difference added to the
// component's predictor, then the AC run/size symbols up to end of block.
// Where the coefficients go (and how they are dequantised) is the caller's
// choice.
#pragma once

#include <algorithm>
#include <array>
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

// An AC value has at most 15 bits and a quantisation entry 8, so the product
// fits 32 bits.
inline int32_t DequantiseAc(int32_t value, int32_t quant) {
  return std::clamp(value * quant, -kCoefficientLimit, kCoefficientLimit);
}

// For each natural position: its line's bit in the low byte and its column's
// bit in the high byte, as BlockShape records them.
inline constexpr auto kShapeBits = [] {
  std::array<uint16_t, 64> bits{};
  for (int position = 0; position < 64; ++position) {
    bits[position] = static_cast<uint16_t>(1 << (position >> 3) | 1 << ((position & 7) + 8));
  }
  return bits;
}();

// One decoded code: its symbol and the value of its extra bits, or a
// negative symbol (kBadCode, kExhausted). Returned by value so that both stay
// in registers in the block loop.
struct CodedValue {
  int symbol;
  int32_t value;
};

// A code and its extra bits by the symbol look-up and a separate read: the
// rare way, kept out of the block loop.
[[gnu::noinline]] inline CodedValue DecodeCodeThenValue(BitReader& reader,
                                                        const HuffmanDecodingTable& table) {
  const int symbol = DecodeSymbol(reader, table);
  if (symbol < 0) return {symbol, 0};
  uint32_t bits = 0;
  const int size = symbol & 15;
  if (size != 0 && !reader.Read(size, bits)) return {kExhausted, 0};
  return {symbol, Extend(bits, size)};
}

// The extra bits behind a code that the fast prefix resolved alone.
inline CodedValue ValueAfterCode(BitReader& reader, const HuffmanDecodingTable::FastEntry& fast) {
  reader.Drop(fast.length & ~HuffmanDecodingTable::kCodeOnly);
  uint32_t bits = 0;
  const int size = fast.symbol & 15;
  if (!reader.Read(size, bits)) return {kExhausted, 0};
  return {fast.symbol, Extend(bits, size)};
}

// A code and its extra bits by the fast prefix where they fit it, the code
// alone by the prefix where it fits; otherwise as above.
[[gnu::always_inline]] inline CodedValue DecodeCodeAndValue(BitReader& reader,
                                                            const HuffmanDecodingTable& table) {
  if (reader.bits() >= HuffmanDecodingTable::kFastBits) {
    const HuffmanDecodingTable::FastEntry& fast =
        table.fast[reader.Peek(HuffmanDecodingTable::kFastBits)];
    if (fast.length != 0) [[likely]] {
      if ((fast.length & HuffmanDecodingTable::kCodeOnly) != 0) [[unlikely]] {
        return ValueAfterCode(reader, fast);
      }
      reader.Drop(fast.length);
      return {fast.symbol, fast.value};
    }
  }
  return DecodeCodeThenValue(reader, table);
}

inline JpegResult FailureOf(const CodedValue& coded, JpegResult bad_code) {
  return coded.symbol == kExhausted ? kJpegBadStream : bad_code;
}

// Where DecodeBlock puts a block's coefficients: Dc(value) takes the DC
// term (the predictor's new value), Ac(k, value) each non-zero AC value with
// its zigzag index k (1..63), both before dequantisation.

// Every coefficient dequantised into its natural position of `block` (all
// zero on entry), with the shape of what was stored.
struct NaturalOrderBlock {
  int32_t* block;
  const int32_t* quant;  // natural order
  uint32_t shape_bits = kShapeBits[0];

  void Dc(int32_t value) { block[0] = Dequantise(value, quant[0]); }
  void Ac(int k, int32_t value) {
    const int position = kNaturalOrder[k];
    block[position] = DequantiseAc(value, quant[position]);
    shape_bits |= kShapeBits[position];
  }
  BlockShape Shape() const {
    return {static_cast<uint8_t>(shape_bits), static_cast<uint8_t>(shape_bits >> 8)};
  }
};

// The DC coefficient alone, for the DC-only transform: AC values are
// decoded and dropped.
struct DcOfBlock {
  int32_t* block;
  const int32_t* quant;

  void Dc(int32_t value) { block[0] = Dequantise(value, quant[0]); }
  void Ac(int, int32_t) {}
  BlockShape Shape() const { return {}; }
};

// Decodes one block: the DC difference added to `predictor`, then the AC
// run/size symbols up to end of block, handing every value to `out`. Forced
// inline: the block loop is the decoder's hot path, and a scan that takes
// its blocks more than one way would otherwise call it.
template <class Coefficients>
[[gnu::always_inline]] inline JpegResult DecodeBlock(BitReader& reader,
                                                     const HuffmanDecodingTable& dc_table,
                                                     const HuffmanDecodingTable& ac,
                                                     int32_t& predictor, Coefficients& out) {
  reader.Prefetch();
  // DC symbols are sizes: 0..11 in a valid table (the extra bits are the
  // difference), so run and size read the same way as for AC.
  const CodedValue dc = DecodeCodeAndValue(reader, dc_table);
  if (dc.symbol < 0) return FailureOf(dc, kJpegBadDcCode);
  if (dc.symbol > 15) return kJpegBadDcCode;
  // The predictor wraps like the 32-bit register it models.
  predictor =
      static_cast<int32_t>(static_cast<uint32_t>(predictor) + static_cast<uint32_t>(dc.value));
  out.Dc(predictor);

  for (int k = 1; k < 64;) {
    if (reader.bits() < 32) reader.Prefetch();
    const CodedValue coded = DecodeCodeAndValue(reader, ac);
    if (coded.symbol < 0) return FailureOf(coded, kJpegBadAcCode);
    const int run = coded.symbol >> 4;
    if ((coded.symbol & 15) == 0) {
      if (run == 0) break;  // end of block
      k += 16;
      continue;
    }
    k += run;
    // A run past the last coefficient only comes from damaged data.
    if (k > 63) return kJpegBadAcCode;
    out.Ac(k, coded.value);
    ++k;
  }
  return kJpegOk;
}

}  // namespace codec
