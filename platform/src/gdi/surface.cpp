#include "gdi/surface.h"

#include <algorithm>
#include <cstring>

namespace platform::gdi {

Surface::Surface(int width, int height, int bits_per_pixel, RowOrder order)
    : bits_per_pixel_(bits_per_pixel == 16 ? 16 : 24), order_(order) {
  if (width < 1 || height < 1) return;
  width_ = width;
  height_ = height;
  stride_ = (width_ * bytes_per_pixel() + 3) & ~3;
  pixels_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_), 0);
}

Surface::Surface(int width, int height, int bits_per_pixel, RowOrder order,
                 std::shared_ptr<BYTE> memory)
    : bits_per_pixel_(bits_per_pixel == 16 ? 16 : 24), order_(order) {
  if (width < 1 || height < 1 || !memory) return;
  width_ = width;
  height_ = height;
  stride_ = (width_ * bytes_per_pixel() + 3) & ~3;
  adopted_ = std::move(memory);
}

Surface::Surface(const Surface& other)
    : width_(other.width_),
      height_(other.height_),
      bits_per_pixel_(other.bits_per_pixel_),
      stride_(other.stride_),
      order_(other.order_),
      pixels_(other.bits(), other.bits() + other.size_bytes()) {}

Surface& Surface::operator=(const Surface& other) {
  if (this != &other) *this = Surface(other);
  return *this;
}

COLORREF Surface::Quantize(COLORREF color) const {
  color &= 0x00FFFFFFu;
  return bits_per_pixel_ == 16 ? FromRgb565(ToRgb565(color)) : color;
}

void Surface::Fill(const RECT& rect, COLORREF color) {
  RECT bounds = Bounds();
  RECT area;
  if (!IntersectRect(&area, &rect, &bounds)) return;
  const int bpp = bytes_per_pixel();
  BYTE sample[3];
  WritePixel(sample, color);
  for (int y = area.top; y < area.bottom; ++y) {
    BYTE* pixel = Row(y) + area.left * bpp;
    if (bpp == 2 && sample[0] == sample[1]) {
      std::memset(pixel, sample[0], static_cast<std::size_t>(area.right - area.left) * 2);
      continue;
    }
    for (int x = area.left; x < area.right; ++x, pixel += bpp) std::memcpy(pixel, sample, bpp);
  }
}

}  // namespace platform::gdi
