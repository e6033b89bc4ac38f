// Three quarters in both directions: pixels 4k, 4k+1, 4k+2 of every four; the
// line accumulator (step 3072) keeps lines 0, 1 and 3 of every four. Pixel
// 4k+2 takes the chroma of its own pair.
#include "band_converters.h"

namespace codec {
namespace {

struct ThreeQuarterAccumulator {
  template <class Pixel, class Sampling>
  static size_t Convert(const BandInput& in, ResamplingState& state, uint8_t* band) {
    constexpr int kH = Sampling::kHShift;
    const int groups = state.output_width / 3;
    const size_t line_bytes = static_cast<size_t>(state.output_width) * Pixel::kBytes;
    uint8_t* dst = band;
    for (int y = 0; y < in.lines; ++y) {
      if (!AccumulatorTakes(state.line_accumulator, state.step, state.threshold)) continue;
      const uint8_t* luma = in.y + y * in.y_stride;
      const ChromaLine<Sampling> chroma(in, y);
      uint8_t* pixel = dst;
      for (int k = 0; k < groups; ++k, luma += 4, pixel += 3 * Pixel::kBytes) {
        const int x = 4 * k;
        const ChromaTerms first = chroma.At(x >> kH);
        Pixel::Put(pixel, kColour.luma[luma[0]], first);
        Pixel::Put(pixel + Pixel::kBytes, kColour.luma[luma[1]],
                   kH == 0 ? chroma.At(x + 1) : first);
        Pixel::Put(pixel + 2 * Pixel::kBytes, kColour.luma[luma[2]], chroma.At((x + 2) >> kH));
      }
      dst += line_bytes;
    }
    state.source_line += static_cast<uint32_t>(in.lines);
    return static_cast<size_t>(dst - band);
  }
};

}  // namespace

BandConverter ThreeQuarterAccumulatorConverter(ChromaLayout chroma, int bytes_per_pixel) {
  return PickInstance<ThreeQuarterAccumulator>(chroma, bytes_per_pixel);
}

}  // namespace codec
