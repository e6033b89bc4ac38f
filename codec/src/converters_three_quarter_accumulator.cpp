// Three quarters in both directions: pixels 4k, 4k+1, 4k+2 of every four; the
// line accumulator (step 3072) keeps lines 0, 1 and 3 of every four. Pixel
// 4k+2 takes the chroma of its own pair.
#include "band_converters.h"
#include "three_quarter_lines.h"

namespace codec {
namespace {

struct ThreeQuarterAccumulator {
  template <class Pixel, class Sampling>
  static size_t Convert(const BandInput& in, ResamplingState& state, uint8_t* band) {
    return ConvertThreeQuarterBand<Pixel, Sampling>(
        in, state, band, PairRule::kOwnPair, [&state](int) {
          return AccumulatorTakes(state.line_accumulator, state.step, state.threshold);
        });
  }
};

}  // namespace

BandConverter ThreeQuarterAccumulatorConverter(ChromaLayout chroma, int bytes_per_pixel) {
  return PickInstance<ThreeQuarterAccumulator>(chroma, bytes_per_pixel);
}

}  // namespace codec
