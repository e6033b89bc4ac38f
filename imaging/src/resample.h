// Reducing a bitmap with area averaging: each output pixel is the mean of
// the source area it covers, partial pixels at its edges weighted by the
// share they cover. Keeps thumbnails of fine detail smooth where dropping
// pixels would alias.
#pragma once

#include <memory>

#include "fit.h"
#include "imaging/bitmap.h"

namespace imaging {

// A copy of `source` at `size` (each side at least 1); null when the
// bitmap cannot be made.
std::unique_ptr<Bitmap> Resample(const Bitmap& source, Size size);

}  // namespace imaging
