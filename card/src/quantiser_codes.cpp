#include "card/quantiser_codes.h"

#include <algorithm>

namespace card {

int QuantiserStep(std::uint8_t code) {
  const int mantissa = code >> 3;
  const int exponent = code & 7;
  if (mantissa == 0) return 255;  // an empty code quantises as coarsely as can be
  const int step = ((128 << exponent) + mantissa) / (2 * mantissa);
  return std::clamp(step, 1, 255);
}

QuantiserTables StepsOfCodes(const std::array<std::uint8_t, 128>& codes) {
  QuantiserTables tables;
  for (int i = 0; i < 64; ++i) {
    tables.luminance[i] = static_cast<std::uint8_t>(QuantiserStep(codes[i]));
    tables.chrominance[i] = static_cast<std::uint8_t>(QuantiserStep(codes[64 + i]));
  }
  return tables;
}

}  // namespace card
