// Output pixel formats: a pixel from its luma in quarter levels and the chroma
// terms of its chroma sample.
#pragma once

#include <cstdint>

#include "colour_tables.h"

namespace codec {

// 16-bit RGB565 as a little-endian word.
struct Rgb565Pixel {
  static constexpr int kBytes = 2;
  static void Put(uint8_t* dst, int32_t luma, const ChromaTerms& terms) {
    const uint16_t word = static_cast<uint16_t>(kColour.red565[ClampQuarter(luma + terms.red)] |
                                                kColour.green565[ClampQuarter(luma + terms.green)] |
                                                kColour.blue565[ClampQuarter(luma + terms.blue)]);
    dst[0] = static_cast<uint8_t>(word);
    dst[1] = static_cast<uint8_t>(word >> 8);
  }
};

// 24-bit, bytes blue, green, red.
struct Bgr24Pixel {
  static constexpr int kBytes = 3;
  static void Put(uint8_t* dst, int32_t luma, const ChromaTerms& terms) {
    dst[0] = ClampQuarter(luma + terms.blue);
    dst[1] = ClampQuarter(luma + terms.green);
    dst[2] = ClampQuarter(luma + terms.red);
  }
};

}  // namespace codec
