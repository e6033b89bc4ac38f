// Chroma upsampling by replication: the chroma sample of the luma sample at
// column x, line y of an MCU row is (x >> kHShift, y >> kVShift).
#pragma once

#include <cstdint>

#include "colour_tables.h"

namespace codec {

template <int HShift, int VShift>
struct ChromaSampling {
  static constexpr int kHShift = HShift;
  static constexpr int kVShift = VShift;
};

using Sampling420 = ChromaSampling<1, 1>;
using Sampling422 = ChromaSampling<1, 0>;
using Sampling444 = ChromaSampling<0, 0>;

// Where the converters find one MCU row of planes.
struct BandInput {
  const uint8_t* y = nullptr;
  int y_stride = 0;
  const uint8_t* cb = nullptr;
  const uint8_t* cr = nullptr;
  int c_stride = 0;
  int lines = 0;  // luma lines of the row
};

// The chroma line that serves luma line `y` of the band.
template <class Sampling>
struct ChromaLine {
  ChromaLine(const BandInput& in, int y)
      : cb(in.cb + (y >> Sampling::kVShift) * in.c_stride),
        cr(in.cr + (y >> Sampling::kVShift) * in.c_stride) {}
  ChromaTerms At(int chroma_x) const { return TermsOf(cb[chroma_x], cr[chroma_x]); }
  // Terms of the chroma sample of luma column x.
  ChromaTerms ForLuma(int x) const { return At(x >> Sampling::kHShift); }
  const uint8_t* cb;
  const uint8_t* cr;
};

}  // namespace codec
