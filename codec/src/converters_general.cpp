// Any ratio: the line accumulator picks the source lines, the column list made
// at set-up picks the pixels, and side margins are black.
#include <cstring>

#include "band_converters.h"

namespace codec {
namespace {

struct General {
  template <class Pixel, class Sampling>
  static size_t Convert(const BandInput& in, ResamplingState& state, uint8_t* band) {
    const size_t line_bytes = static_cast<size_t>(state.output_width) * Pixel::kBytes;
    const size_t left_bytes = static_cast<size_t>(state.left_margin) * Pixel::kBytes;
    const size_t picture_bytes = static_cast<size_t>(state.column_count) * Pixel::kBytes;
    uint8_t* dst = band;
    for (int y = 0; y < in.lines; ++y) {
      if (!AccumulatorTakes(state.line_accumulator, state.step, state.threshold)) continue;
      const uint8_t* luma = in.y + y * in.y_stride;
      const ChromaLine<Sampling> chroma(in, y);
      std::memset(dst, 0, left_bytes);
      uint8_t* pixel = dst + left_bytes;
      for (int i = 0; i < state.column_count; ++i, pixel += Pixel::kBytes) {
        const uint32_t x = state.columns[i];
        Pixel::Put(pixel, kColour.luma[luma[x]], chroma.ForLuma(static_cast<int>(x)));
      }
      std::memset(pixel, 0, line_bytes - left_bytes - picture_bytes);
      dst += line_bytes;
    }
    state.source_line += static_cast<uint32_t>(in.lines);
    return static_cast<size_t>(dst - band);
  }
};

}  // namespace

BandConverter GeneralConverter(ChromaLayout chroma, int bytes_per_pixel) {
  return PickInstance<General>(chroma, bytes_per_pixel);
}

}  // namespace codec
