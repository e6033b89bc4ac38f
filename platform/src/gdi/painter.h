// Helpers the drawing calls share: looking up a context and walking the
// target pixels a drawing operation may touch.
#pragma once

#include <memory>
#include <optional>

#include "gdi/device_context.h"

namespace platform::gdi {

// Calls fn(pixel pointer, target x, target y) for every target pixel of
// `area` (context coordinates) that the context may draw, row by row.
template <typename Fn>
void ForEachPixel(const DeviceContext& context, const RECT& area, Fn&& fn,
                  const RECT* extra_clip = nullptr) {
  Surface& target = *context.target();
  const int bpp = target.bytes_per_pixel();
  for (const RECT& piece : context.Visible(area, extra_clip)) {
    for (int y = piece.top; y < piece.bottom; ++y) {
      BYTE* pixel = target.Row(y) + piece.left * bpp;
      for (int x = piece.left; x < piece.right; ++x, pixel += bpp) fn(pixel, x, y);
    }
  }
}

// Fills `area` (context coordinates) with one colour.
void FillArea(const DeviceContext& context, const RECT& area, COLORREF color,
              const RECT* extra_clip = nullptr);

// A brush handle may also be a system colour index + 1, as window classes
// give their backgrounds; nothing when it is neither.
std::optional<COLORREF> BrushColour(HBRUSH brush);

// Puts one pen-sized dot centred on (x, y) in context coordinates.
void PenDot(const DeviceContext& context, int x, int y, int width, COLORREF color);

}  // namespace platform::gdi
