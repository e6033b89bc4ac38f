// Three quarters in both directions by a fixed pattern: pixels 4k, 4k+1, 4k+2
// and lines 4g, 4g+1, 4g+2 of every four, counted over the whole picture so
// that short MCU rows keep the pattern. With subsampled chroma the three
// pixels of a group share the chroma of the group's first pair.
#include "band_converters.h"

namespace codec {
namespace {

struct ThreeQuarterFixed {
  template <class Pixel, class Sampling>
  static size_t Convert(const BandInput& in, ResamplingState& state, uint8_t* band) {
    constexpr int kH = Sampling::kHShift;
    const int groups = state.output_width / 3;
    const size_t line_bytes = static_cast<size_t>(state.output_width) * Pixel::kBytes;
    uint8_t* dst = band;
    for (int y = 0; y < in.lines; ++y) {
      if ((state.source_line + static_cast<uint32_t>(y)) % 4 == 3) continue;
      const uint8_t* luma = in.y + y * in.y_stride;
      const ChromaLine<Sampling> chroma(in, y);
      uint8_t* pixel = dst;
      for (int k = 0; k < groups; ++k, luma += 4, pixel += 3 * Pixel::kBytes) {
        const int x = 4 * k;
        if constexpr (kH == 0) {
          Pixel::Put(pixel, kColour.luma[luma[0]], chroma.At(x));
          Pixel::Put(pixel + Pixel::kBytes, kColour.luma[luma[1]], chroma.At(x + 1));
          Pixel::Put(pixel + 2 * Pixel::kBytes, kColour.luma[luma[2]], chroma.At(x + 2));
        } else {
          const ChromaTerms shared = chroma.At(x >> kH);
          Pixel::Put(pixel, kColour.luma[luma[0]], shared);
          Pixel::Put(pixel + Pixel::kBytes, kColour.luma[luma[1]], shared);
          Pixel::Put(pixel + 2 * Pixel::kBytes, kColour.luma[luma[2]], shared);
        }
      }
      dst += line_bytes;
    }
    state.source_line += static_cast<uint32_t>(in.lines);
    return static_cast<size_t>(dst - band);
  }
};

}  // namespace

BandConverter ThreeQuarterFixedConverter(ChromaLayout chroma, int bytes_per_pixel) {
  return PickInstance<ThreeQuarterFixed>(chroma, bytes_per_pixel);
}

}  // namespace codec
