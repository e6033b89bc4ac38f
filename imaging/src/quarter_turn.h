// Turning a bitmap by a quarter.
#pragma once

#include <memory>

#include "imaging/bitmap.h"

namespace imaging {

// The bitmap turned a quarter counter-clockwise (direction 0) or clockwise
// (direction 1); null when the turned bitmap cannot be made.
std::unique_ptr<Bitmap> QuarterTurn(const Bitmap& source, int direction);

}  // namespace imaging
