// Every pixel of every line, for the exact fit. Each line goes through the
// line converter with the chroma line that serves it.
#include "band_converters.h"
#include "colour_lines.h"

namespace codec {
namespace {

struct OneToOne {
  template <class Pixel, class Sampling>
  static size_t Convert(const BandInput& in, ResamplingState& state, uint8_t* band) {
    const size_t line_bytes = static_cast<size_t>(state.output_width) * Pixel::kBytes;
    for (int y = 0; y < in.lines; ++y) {
      const ChromaLine<Sampling> chroma(in, y);
      ColourLine<Pixel, Sampling::kHShift>(in.y + y * in.y_stride, chroma.cb, chroma.cr,
                                           state.output_width, band + y * line_bytes);
    }
    state.source_line += static_cast<uint32_t>(in.lines);
    return static_cast<size_t>(in.lines) * line_bytes;
  }
};

}  // namespace

BandConverter OneToOneConverter(ChromaLayout chroma, int bytes_per_pixel) {
  return PickInstance<OneToOne>(chroma, bytes_per_pixel);
}

}  // namespace codec
