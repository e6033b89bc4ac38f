// The constants and the final rounding of the 8x8 transform (Chen's
// butterfly, constants scaled by 512), shared by its whole and its
// sample-at-a-time forms so that both compute the same integers.
#pragma once

#include <cstdint>

namespace codec {

struct ButterflyConstants {
  int32_t c4, cos2, sin2, cos1, sin1, cos3, sin3;
};
// The column pass works on four times the coefficients: its constants are
// the row pass's times four.
inline constexpr ButterflyConstants kColumnPass = {1448, 1892, 784, 2008, 400, 1704, 1136};
inline constexpr ButterflyConstants kRowPass = {362, 473, 196, 502, 100, 426, 284};
inline constexpr int32_t kButterflyC4 = 362;

// The two passes give sixteen times the sample: v / 16 rounded with halves
// away from zero, i.e. (v + 8) / 16 for v >= 0 and (v - 8) / 16 for v < 0
// with truncating division, which is (v + 7) >> 4 there.
inline int32_t DescaleSample(int32_t v) { return (v + 8 + (v >> 31)) >> 4; }

}  // namespace codec
