#include "gdi/masked_image.h"

#include <png.h>

#include "gdi/painter.h"

namespace platform::gdi {

MaskedImage CutImage(const Surface& source, const RECT& part, std::optional<COLORREF> key) {
  MaskedImage image{Surface(part.right - part.left, part.bottom - part.top, 24), {}};
  // The key as the source's pixels hold it.
  const bool keyed = key.has_value();
  const COLORREF stored_key = keyed ? source.Quantize(*key) : CLR_INVALID;
  if (keyed) {
    image.transparent.assign(static_cast<std::size_t>(image.color.width()) *
                                 static_cast<std::size_t>(image.color.height()),
                             false);
  }
  for (int y = 0; y < image.color.height(); ++y) {
    for (int x = 0; x < image.color.width(); ++x) {
      COLORREF color = source.GetPixel(part.left + x, part.top + y);
      if (color == CLR_INVALID) color = RGB(0, 0, 0);
      image.color.SetPixel(x, y, color);
      if (keyed && color == stored_key) {
        image.transparent[static_cast<std::size_t>(y) * image.color.width() + x] = true;
      }
    }
  }
  return image;
}

void DrawMaskedImage(const DeviceContext& context, int x, int y, const MaskedImage& image,
                     std::optional<COLORREF> blend) {
  const Surface& target = *context.target();
  const POINT origin = context.origin();
  RECT area{x, y, x + image.color.width(), y + image.color.height()};
  ForEachPixel(context, area, [&](BYTE* pixel, int tx, int ty) {
    int ix = tx - origin.x - x;
    int iy = ty - origin.y - y;
    if (image.IsTransparent(ix, iy)) return;
    COLORREF color = image.color.GetPixel(ix, iy);
    if (blend) {
      color = RGB(static_cast<BYTE>((GetRValue(color) + GetRValue(*blend)) / 2),
                  static_cast<BYTE>((GetGValue(color) + GetGValue(*blend)) / 2),
                  static_cast<BYTE>((GetBValue(color) + GetBValue(*blend)) / 2));
    }
    target.WritePixel(pixel, color);
  });
}

std::optional<MaskedImage> DecodeMaskedPng(std::span<const BYTE> data) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data.data(), data.size())) return std::nullopt;
  constexpr png_uint_32 kLargestSide = 4096;
  if (png.width == 0 || png.height == 0 || png.width > kLargestSide || png.height > kLargestSide) {
    png_image_free(&png);
    return std::nullopt;
  }
  png.format = PNG_FORMAT_BGRA;
  std::vector<BYTE> pixels(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return std::nullopt;
  }
  const int width = static_cast<int>(png.width);
  const int height = static_cast<int>(png.height);
  MaskedImage image{Surface(width, height, 24), {}};
  image.transparent.assign(static_cast<std::size_t>(width) * height, false);
  const BYTE* in = pixels.data();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, in += 4) {
      image.color.SetPixel(x, y, RGB(in[2], in[1], in[0]));
      image.transparent[static_cast<std::size_t>(y) * width + x] = in[3] < 128;
    }
  }
  return image;
}

}  // namespace platform::gdi
