// A 24-bit top-down drawing surface whose pixels the view reads and writes
// directly (the pane, the histogram, the overview, the zoomed picture),
// selected into a memory context of its own for as long as it lives.
// A picture's surface is the imaging library's bitmap itself, taken over:
// a camera still is held once, not copied.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/bitmap.h"
#include "platform/gdi.h"
#include "platform/gdi_objects.h"

namespace gallery {

class PictureSurface {
 public:
  // Null when the bitmap or its context cannot be had.
  static std::unique_ptr<PictureSurface> Create(int width, int height);
  // A surface over the imaging library's picture, which it keeps for as
  // long as it lives; null for no picture or when the bitmap or its
  // context cannot be had.
  static std::unique_ptr<PictureSurface> FromPicture(std::unique_ptr<imaging::Bitmap> picture);
  ~PictureSurface();
  PictureSurface(const PictureSurface&) = delete;
  PictureSurface& operator=(const PictureSurface&) = delete;

  platform::HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return imaging::Bitmap::StrideFor(width_); }
  // All rows, blue, green, red, each padded to four bytes.
  std::span<std::uint8_t> bits() const {
    return {bits_, static_cast<std::size_t>(stride()) * static_cast<std::size_t>(height_)};
  }
  void Fill(platform::COLORREF colour);
  // Draws `source` (its own size given) fitted without enlarging and
  // centred on a fill of `background`.
  void DrawFitted(platform::HDC source, int source_width, int source_height,
                  platform::COLORREF background);

 private:
  PictureSurface() = default;
  static std::unique_ptr<PictureSurface> Select(platform::HBITMAP bitmap, std::uint8_t* bits,
                                                int width, int height);
  platform::OwnedGdiObject<platform::HBITMAP> bitmap_;
  platform::HDC dc_ = nullptr;
  platform::HGDIOBJ previous_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace gallery
