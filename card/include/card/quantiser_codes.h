// The module's number format for quantiser steps: a code holds the step's
// reciprocal as a 5-bit mantissa m (bits 7-3) and an exponent e (bits
// 2-0), step = 64 * 2^e / m, rounded; steps stop at 255.
#pragma once

#include <array>
#include <cstdint>

namespace card {

int QuantiserStep(std::uint8_t code);

// The 128 uploaded codes (luminance then chrominance, zig-zag order) as
// the two tables of steps in zig-zag order.
struct QuantiserTables {
  std::array<std::uint8_t, 64> luminance{};
  std::array<std::uint8_t, 64> chrominance{};
};
QuantiserTables StepsOfCodes(const std::array<std::uint8_t, 128>& codes);

}  // namespace card
