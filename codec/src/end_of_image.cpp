// EOI: the statistics, then in the full-size modes the 3/2 enlargement of the
// whole-picture planes. The planes are read in place with their padded
// widths as strides, so no close-up copy is needed.
#include "decode_steps.h"
#include "enlargement.h"
#include "statistics.h"

namespace codec {

JpegResult FinishImage(JpegDecoder& decoder) {
  if (decoder.statistics.option != 0) {
    if (decoder.frame.present) ComputeStatistics(decoder.statistics, decoder.frame);
  } else {
    decoder.statistics.result = JpegStatistics{};
  }
  if (decoder.output.geometry.full_size) return EnlargeThreeHalves(decoder);
  return kJpegOk;
}

}  // namespace codec
