#include "imaging/bitmap.h"

#include <new>

namespace imaging {

Bitmap::Bitmap(int width, int height)
    : width_(width),
      height_(height),
      stride_(StrideFor(width)),
      pixels_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height)) {}

std::unique_ptr<Bitmap> Bitmap::Create(int width, int height) {
  if (width < 1 || height < 1 || width > 65535 || height > 65535) return nullptr;
  if (std::int64_t{width} * height > kMaxPixels) return nullptr;
  try {
    return std::unique_ptr<Bitmap>(new Bitmap(width, height));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace imaging
