// A picture with a transparency mask: what icons and the images of image
// lists are.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "gdi/device_context.h"

namespace platform::gdi {

struct MaskedImage {
  Surface color;                  // 24-bit
  std::vector<bool> transparent;  // one per pixel, row by row; empty: opaque

  bool IsTransparent(int x, int y) const {
    return !transparent.empty() &&
           transparent[static_cast<std::size_t>(y) * color.width() + static_cast<std::size_t>(x)];
  }
};

// The image made from part of a surface, transparent where the surface has
// `key` (when given), copied pixel for pixel into a width x height image.
MaskedImage CutImage(const Surface& source, const RECT& part, std::optional<COLORREF> key);

// Draws the image with its top-left corner at (x, y); transparent pixels
// leave the destination. `blend` mixes every drawn pixel half and half
// with that colour (a selected look).
void DrawMaskedImage(const DeviceContext& context, int x, int y, const MaskedImage& image,
                     std::optional<COLORREF> blend = std::nullopt);

// A PNG as an image, transparent where its alpha is below one half.
std::optional<MaskedImage> DecodeMaskedPng(std::span<const BYTE> data);

}  // namespace platform::gdi
