// The picture block a clipboard copy hands over (CF_DIB): a 40-byte bitmap
// information header for a 24-bit picture, then its rows as a bottom-up
// 24-bit surface holds them (blue, green, red, each row padded to a
// multiple of four bytes).
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/types.h"

namespace gallery::sending {

// The side of a copy at `per_mille` of `side`, at least one pixel; the
// side itself for 0.
int ScaledSide(int side, int per_mille);

// Bytes of one row of a 24-bit picture `width` pixels wide.
inline std::size_t DibRowSize(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

// The block for a `width` x `height` picture whose bottom-up rows start at
// `rows`; nothing when the memory cannot be had.
std::optional<std::vector<platform::BYTE>> MakeClipboardBlock(int width, int height,
                                                              const platform::BYTE* rows);

}  // namespace gallery::sending
