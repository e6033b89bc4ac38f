// The warm tone of the toned fades: 256 entries of red, green, blue, a
// smooth ramp from black to white through the browns of old photographs.
#pragma once

#include <array>
#include <cstdint>

namespace gallery::transitions {

struct ToneColour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  friend bool operator==(const ToneColour&, const ToneColour&) = default;
};

const std::array<ToneColour, 256>& ToneTable();

// The integer luminance (299 red + 587 green + 114 blue) / 1000.
constexpr int Luminance(int red, int green, int blue) {
  return (299 * red + 587 * green + 114 * blue) / 1000;
}

}  // namespace gallery::transitions
