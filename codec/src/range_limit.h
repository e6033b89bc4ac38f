// Sample range limiting: a transform's output plus 128, held to 0..255.
#pragma once

#include <algorithm>
#include <cstdint>

namespace codec {

template <class Int>
inline uint8_t RangeLimit(Int centred) {
  return static_cast<uint8_t>(std::clamp<Int>(centred + 128, 0, 255));
}

}  // namespace codec
