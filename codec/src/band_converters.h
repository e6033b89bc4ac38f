// The band converters: four kinds (one-to-one, general, three-quarter with
// accumulator, three-quarter with fixed pattern), each generated for the three
// chroma samplings and the two output depths, 24 in all, and the sampled
// decodes' converter. Each kind lives in
// its own file as a struct with a Convert<Pixel, Sampling> template.
#pragma once

#include "pixel_formats.h"
#include "resampling.h"

namespace codec {

// Instantiates a kind's Convert for the sampling and depth of a scan.
template <class Kind>
BandConverter PickInstance(ChromaLayout chroma, int bytes_per_pixel) {
  const bool wide = bytes_per_pixel == Bgr24Pixel::kBytes;
  switch (chroma) {
    case ChromaLayout::k420:
      return wide ? &Kind::template Convert<Bgr24Pixel, Sampling420>
                  : &Kind::template Convert<Rgb565Pixel, Sampling420>;
    case ChromaLayout::k422:
      return wide ? &Kind::template Convert<Bgr24Pixel, Sampling422>
                  : &Kind::template Convert<Rgb565Pixel, Sampling422>;
    case ChromaLayout::k444:
      break;
  }
  return wide ? &Kind::template Convert<Bgr24Pixel, Sampling444>
              : &Kind::template Convert<Rgb565Pixel, Sampling444>;
}

BandConverter OneToOneConverter(ChromaLayout chroma, int bytes_per_pixel);
BandConverter GeneralConverter(ChromaLayout chroma, int bytes_per_pixel);
BandConverter ThreeQuarterAccumulatorConverter(ChromaLayout chroma, int bytes_per_pixel);
BandConverter ThreeQuarterFixedConverter(ChromaLayout chroma, int bytes_per_pixel);
BandConverter SampledConverter(ChromaLayout chroma, int bytes_per_pixel);

}  // namespace codec
