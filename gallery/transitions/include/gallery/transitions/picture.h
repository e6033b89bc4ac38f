// The pictures the transitions draw with: a view of 24-bit pixels (blue,
// green, red) owned elsewhere, a DIB section's memory or a platform
// surface. Rows are reached from the top whatever their order in memory,
// so the stride is negative for a bottom-up surface.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi_surface.h"
#include "platform/gdi_types.h"

namespace gallery::transitions {

struct Picture {
  std::uint8_t* top_row = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;

  std::uint8_t* Row(int y) const { return top_row + static_cast<std::ptrdiff_t>(y) * stride; }
  std::uint8_t* At(int x, int y) const { return Row(y) + static_cast<std::ptrdiff_t>(x) * 3; }
  platform::RECT Bounds() const { return {0, 0, width, height}; }
};

// A 24-bit surface as a picture (an empty picture for any other depth).
Picture PictureOf(platform::gdi::Surface& surface);

// Copies the `width` x `height` block at (source_x, source_y) of `source`
// to (x, y) of `dest`; whatever falls outside either picture is left out.
void CopyBlock(const Picture& dest, int x, int y, const Picture& source, int source_x, int source_y,
               int width, int height);
// `source` whole, moved by (offset_x, offset_y), clipped to `dest`.
void CopyShifted(const Picture& dest, const Picture& source, int offset_x, int offset_y);
// The source rectangle stretched over the destination rectangle, nearest
// pixel; empty rectangles draw nothing.
void StretchBlock(const Picture& dest, const platform::RECT& to, const Picture& source,
                  const platform::RECT& from);

}  // namespace gallery::transitions
