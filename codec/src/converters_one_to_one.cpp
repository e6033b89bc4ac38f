// Every pixel of every line, for the exact fit. Works around each chroma
// sample: the chroma terms are looked up once and shared by the one, two or
// four luma samples that use them.
#include "band_converters.h"

namespace codec {
namespace {

struct OneToOne {
  template <class Pixel, class Sampling>
  static size_t Convert(const BandInput& in, ResamplingState& state, uint8_t* band) {
    constexpr int kH = Sampling::kHShift;
    constexpr int kV = Sampling::kVShift;
    const int width = state.output_width;
    const size_t line_bytes = static_cast<size_t>(width) * Pixel::kBytes;
    for (int chroma_y = 0; chroma_y < (in.lines >> kV); ++chroma_y) {
      const uint8_t* cb = in.cb + chroma_y * in.c_stride;
      const uint8_t* cr = in.cr + chroma_y * in.c_stride;
      for (int dy = 0; dy < (1 << kV); ++dy) {
        const int y = (chroma_y << kV) + dy;
        const uint8_t* luma = in.y + y * in.y_stride;
        uint8_t* dst = band + static_cast<size_t>(y) * line_bytes;
        for (int chroma_x = 0; chroma_x < (width >> kH); ++chroma_x) {
          const ChromaTerms terms = TermsOf(cb[chroma_x], cr[chroma_x]);
          for (int dx = 0; dx < (1 << kH); ++dx) {
            const int x = (chroma_x << kH) + dx;
            Pixel::Put(dst + x * Pixel::kBytes, kColour.luma[luma[x]], terms);
          }
        }
      }
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
