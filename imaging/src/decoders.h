// The picture formats other than JPEG, each decoded whole into a bitmap.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/bitmap.h"
#include "imaging/qximglib.h"

namespace imaging {

// The format the bytes start like; kFormatNone for anything else. A BMP of
// two bits per pixel counts as the handheld's "2bp" picture.
ImageFormat SniffFormat(std::span<const std::uint8_t> data);

// PNG of any kind; transparency is laid over white.
LoadResult DecodePng(std::span<const std::uint8_t> data, std::unique_ptr<Bitmap>* bitmap);

// GIF: the first picture on the logical screen, over the background colour.
LoadResult DecodeGif(std::span<const std::uint8_t> data, std::unique_ptr<Bitmap>* bitmap);

// BMP (and "2bp"): 1, 2, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or
// top-down, uncompressed or with bit-field masks.
LoadResult DecodeBmp(std::span<const std::uint8_t> data, std::unique_ptr<Bitmap>* bitmap);

}  // namespace imaging
