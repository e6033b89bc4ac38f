// Inverse DCTs, one per power-of-two reduction. Each takes a block of 64
// dequantised coefficients in natural order and writes edge x edge samples to
// `out` with `stride` bytes between lines. The block's shape tells which lines
// and columns of coefficients hold anything, so that a transform can take a
// shorter way to the same samples.
#pragma once

#include <cstdint>

namespace codec {

// Dequantised coefficients are held within this bound, so no transform can
// overflow. Valid 8-bit images stay far inside it (their coefficients are
// below 1,200 in magnitude).
inline constexpr int32_t kCoefficientLimit = 2048;

// Bit i of `lines` (`columns`) set when line (column) i of the block may hold
// a non-zero coefficient; the DC coefficient always counts.
struct BlockShape {
  uint8_t lines = 1;
  uint8_t columns = 1;
  bool OnlyDc() const { return lines == 1 && columns == 1; }
};

using InverseDct = void (*)(const int32_t* block, BlockShape shape, uint8_t* out, int stride);

// 8x8 by Chen's butterfly, constants scaled by 512 (reduction 1).
void InverseDct8x8(const int32_t* block, BlockShape shape, uint8_t* out, int stride);
// Only the samples at the given lines and columns (bits 0..7) of the 8x8
// transform, each exactly as InverseDct8x8 gives it; the rest of `out` is
// left as it was. `block` is 32-byte aligned.
void InverseDct8x8Samples(const int32_t* block, BlockShape shape, uint8_t rows, uint8_t columns,
                          uint8_t* out, int stride);
// 4x4 of the four-point reduced transform (reduction 2).
void InverseDct4x4(const int32_t* block, BlockShape shape, uint8_t* out, int stride);
// 2x2 with the premultipliers folded in (reduction 4).
void InverseDct2x2(const int32_t* block, BlockShape shape, uint8_t* out, int stride);
// One sample from the DC coefficient (reduction 8).
void InverseDctDcOnly(const int32_t* block, BlockShape shape, uint8_t* out, int stride);

// One block waiting for the 8x8 transform.
struct PendingBlock {
  const int32_t* coefficients;
  BlockShape shape;
  uint8_t* out;
  int stride;
};

// The 8x8 transform of `count` blocks, each giving exactly what
// InverseDct8x8 gives it. On the AVX-512 path two blocks share the lanes of
// one pass.
void InverseDct8x8Blocks(const PendingBlock* blocks, int count);

}  // namespace codec
