// Decoding a whole still file with libjpeg-turbo, counting the warnings
// (corrupt or missing data) it meets on the way through every line.
#pragma once

#include <cstdint>
#include <vector>

namespace orsadrv::testing {

struct StrictDecode {
  bool decoded = false;
  int width = 0;
  int height = 0;
  long warnings = 0;
};
StrictDecode DecodeStrictly(const std::vector<std::uint8_t>& file);

}  // namespace orsadrv::testing
