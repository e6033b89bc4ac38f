#include "picture_surface.h"

#include <cstring>

#include "picture_fit.h"

namespace gallery {

using namespace platform;

std::unique_ptr<PictureSurface> PictureSurface::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top line first, as the imaging library's
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
  if (!bitmap || !bits) return nullptr;
  std::unique_ptr<PictureSurface> surface(new PictureSurface);
  surface->bitmap_.Reset(bitmap);
  surface->bits_ = static_cast<std::uint8_t*>(bits);
  surface->width_ = width;
  surface->height_ = height;
  surface->dc_ = CreateCompatibleDC(nullptr);
  if (!surface->dc_) return nullptr;
  surface->previous_ = SelectObject(surface->dc_, bitmap);
  return surface;
}

std::unique_ptr<PictureSurface> PictureSurface::FromPicture(const imaging::Bitmap& picture) {
  auto surface = Create(picture.width(), picture.height());
  if (!surface || !surface->CopyFrom(picture)) return nullptr;
  return surface;
}

bool PictureSurface::CopyFrom(const imaging::Bitmap& picture) {
  if (picture.width() != width_ || picture.height() != height_) return false;
  // Both are top-down 24-bit rows padded to four bytes.
  std::memcpy(bits_, picture.bits(), bits().size());
  return true;
}

PictureSurface::~PictureSurface() {
  if (dc_) {
    if (previous_) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
}

void PictureSurface::Fill(COLORREF colour) {
  const RECT all{0, 0, width_, height_};
  OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  FillRect(dc_, &all, brush.get());
}

void PictureSurface::DrawFitted(HDC source, int source_width, int source_height,
                                COLORREF background) {
  Fill(background);
  const FittedSize fitted = FitWithoutEnlarging(source_width, source_height, width_, height_);
  if (fitted.width <= 0) return;
  const int x = (width_ - fitted.width) / 2;
  const int y = (height_ - fitted.height) / 2;
  if (fitted.width == source_width && fitted.height == source_height) {
    BitBlt(dc_, x, y, fitted.width, fitted.height, source, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc_, HALFTONE);
    StretchBlt(dc_, x, y, fitted.width, fitted.height, source, 0, 0, source_width, source_height,
               SRCCOPY);
  }
}

}  // namespace gallery
