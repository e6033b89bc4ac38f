#include "slideshow/slide_surface.h"

#include <cstring>

namespace gallery {

std::unique_ptr<SlideSurface> SlideSurface::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  std::unique_ptr<SlideSurface> surface(new SlideSurface);
  platform::BITMAPINFO info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  surface->bitmap_ = platform::CreateDIBSection(nullptr, &info, platform::DIB_RGB_COLORS, &bits);
  if (!surface->bitmap_ || !bits) return nullptr;
  surface->dc_ = platform::CreateCompatibleDC(nullptr);
  if (!surface->dc_) return nullptr;
  surface->previous_ = platform::SelectObject(surface->dc_, surface->bitmap_);
  const std::ptrdiff_t stride = (width * 3 + 3) & ~3;
  surface->picture_ = {static_cast<std::uint8_t*>(bits), width, height, stride};
  return surface;
}

SlideSurface::~SlideSurface() {
  if (dc_) {
    if (previous_) platform::SelectObject(dc_, previous_);
    platform::DeleteDC(dc_);
  }
  if (bitmap_) platform::DeleteObject(bitmap_);
}

void SlideSurface::FillBlack() {
  for (int y = 0; y < picture_.height; ++y)
    std::memset(picture_.Row(y), 0, static_cast<std::size_t>(picture_.width) * 3);
}

void SlideSurface::CopyFrom(const SlideSurface& other) {
  transitions::CopyShifted(picture_, other.picture_, 0, 0);
}

}  // namespace gallery
