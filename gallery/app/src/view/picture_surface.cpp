#include "picture_surface.h"

#include "picture_fit.h"
#include "platform/gdi_dib.h"

namespace gallery {

using namespace platform;

namespace {

BITMAPINFO TopDown24(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top line first, as the imaging library's
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

std::unique_ptr<PictureSurface> PictureSurface::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const BITMAPINFO info = TopDown24(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
  return Select(bitmap, static_cast<std::uint8_t*>(bits), width, height);
}

std::unique_ptr<PictureSurface> PictureSurface::FromPicture(
    std::unique_ptr<imaging::Bitmap> picture) {
  if (!picture) return nullptr;
  const BITMAPINFO info = TopDown24(picture->width(), picture->height());
  // The bitmap's rows are a top-down 24-bit DIB's already: the section
  // draws from them and owns the bitmap from here on.
  std::shared_ptr<imaging::Bitmap> owner(std::move(picture));
  std::uint8_t* bits = owner->bits();
  HBITMAP bitmap = CreateDIBSectionOver(&info, std::shared_ptr<BYTE>(owner, bits));
  return Select(bitmap, bits, owner->width(), owner->height());
}

std::unique_ptr<PictureSurface> PictureSurface::Select(HBITMAP bitmap, std::uint8_t* bits,
                                                       int width, int height) {
  if (!bitmap) return nullptr;
  std::unique_ptr<PictureSurface> surface(new PictureSurface);
  surface->bitmap_.Reset(bitmap);
  if (!bits) return nullptr;
  surface->bits_ = bits;
  surface->width_ = width;
  surface->height_ = height;
  surface->dc_ = CreateCompatibleDC(nullptr);
  if (!surface->dc_) return nullptr;
  surface->previous_ = SelectObject(surface->dc_, bitmap);
  return surface;
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
