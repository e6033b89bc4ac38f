// The 3/2 enlargement of the full-size modes: a 160 x 120 picture to
// 240 x 180, appended band by band.
#pragma once

#include "decoder_context.h"

namespace codec {

// kJpegUnsupported when the frame's sampling has no enlargement (grey, or no
// frame at all).
JpegResult EnlargeThreeHalves(JpegDecoder& decoder);

}  // namespace codec
