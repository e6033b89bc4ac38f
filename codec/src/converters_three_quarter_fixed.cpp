// Three quarters in both directions by a fixed pattern: pixels 4k, 4k+1, 4k+2
// and lines 4g, 4g+1, 4g+2 of every four, counted over the whole picture so
// that short MCU rows keep the pattern. With subsampled chroma the three
// pixels of a group share the chroma of the group's first pair.
#include "band_converters.h"
#include "three_quarter_lines.h"

namespace codec {
namespace {

struct ThreeQuarterFixed {
  template <class Pixel, class Sampling>
  static size_t Convert(const BandInput& in, ResamplingState& state, uint8_t* band) {
    return ConvertThreeQuarterBand<Pixel, Sampling>(
        in, state, band, PairRule::kFirstPair,
        [&state](int y) { return (state.source_line + static_cast<uint32_t>(y)) % 4 != 3; });
  }
};

}  // namespace

BandConverter ThreeQuarterFixedConverter(ChromaLayout chroma, int bytes_per_pixel) {
  return PickInstance<ThreeQuarterFixed>(chroma, bytes_per_pixel);
}

}  // namespace codec
