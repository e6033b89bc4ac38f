#include "band_converters.h"

namespace codec {

BandConverter PickConverter(ConverterKind kind, ChromaLayout chroma, int bytes_per_pixel) {
  switch (kind) {
    case ConverterKind::kOneToOne:
      return OneToOneConverter(chroma, bytes_per_pixel);
    case ConverterKind::kGeneral:
      return GeneralConverter(chroma, bytes_per_pixel);
    case ConverterKind::kThreeQuarterAccumulator:
      return ThreeQuarterAccumulatorConverter(chroma, bytes_per_pixel);
    case ConverterKind::kThreeQuarterFixed:
      return ThreeQuarterFixedConverter(chroma, bytes_per_pixel);
    case ConverterKind::kSampled:
      return SampledConverter(chroma, bytes_per_pixel);
  }
  return nullptr;
}

}  // namespace codec
