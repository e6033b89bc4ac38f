// The pixels of a sampled decode only: of the output lines the band makes
// (every source line, or those the line accumulator takes) every
// sample_step-th, and of each such line the pixels of the chosen source
// columns, through the same line converter as the whole decode.
#include "band_converters.h"
#include "colour_lines.h"

namespace codec {
namespace {

struct Sampled {
  template <class Pixel, class Sampling>
  static size_t Convert(const BandInput& in, ResamplingState& state, uint8_t* band) {
    alignas(16) uint8_t y[kMaxOutputWidth];
    alignas(16) uint8_t cb[kMaxOutputWidth];
    alignas(16) uint8_t cr[kMaxOutputWidth];
    const int count = state.column_count;
    uint8_t* dst = band;
    for (int line = 0; line < in.lines; ++line) {
      if (state.lines_by_accumulator &&
          !AccumulatorTakes(state.line_accumulator, state.step, state.threshold)) {
        continue;
      }
      if (state.output_line++ % static_cast<uint32_t>(state.sample_step) != 0) continue;
      const uint8_t* luma = in.y + line * in.y_stride;
      const ChromaLine<Sampling> chroma(in, line);
      for (int i = 0; i < count; ++i) {
        const uint32_t x = state.columns[i];
        y[i] = luma[x];
        cb[i] = chroma.cb[x >> Sampling::kHShift];
        cr[i] = chroma.cr[x >> Sampling::kHShift];
      }
      ColourLine<Pixel, 0>(y, cb, cr, count, dst);
      dst += static_cast<size_t>(count) * Pixel::kBytes;
    }
    state.source_line += static_cast<uint32_t>(in.lines);
    return static_cast<size_t>(dst - band);
  }
};

}  // namespace

BandConverter SampledConverter(ChromaLayout chroma, int bytes_per_pixel) {
  return PickInstance<Sampled>(chroma, bytes_per_pixel);
}

}  // namespace codec
