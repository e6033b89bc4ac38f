// Colour conversion of whole output lines. Each pixel x takes luma y[x] and
// the chroma samples cb[x >> HShift], cr[x >> HShift]; the result is what
// Pixel::Put gives with the colour tables, pixel for pixel.
#pragma once

#include <cstdint>

namespace codec {

template <class Pixel, int HShift>
void ColourLine(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int count, uint8_t* dst);

}  // namespace codec
