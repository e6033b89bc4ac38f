// Lines of text: measuring them and drawing them antialiased into a context.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gdi/device_context.h"
#include "gdi/font_library.h"

namespace platform::gdi {

// One line as code points, with the characters to underline (a "&" prefix).
struct TextLine {
  std::u32string text;
  std::vector<bool> underlined;  // empty, or one per character
};

std::u32string DecodeText(std::string_view utf8);

// Width in pixels; `advances` (one per character) replaces the font's.
int LineWidth(SizedFont& font, std::u32string_view text, const int* advances = nullptr);

struct LineStyle {
  COLORREF color = 0;
  // Filled behind the line's cell when set (opaque background).
  std::optional<COLORREF> background;
  const RECT* clip = nullptr;  // context coordinates
  const int* advances = nullptr;
};

// Draws the line with the top of its cell at `top`.
void DrawLine(const DeviceContext& context, SizedFont& font, int x, int top, const TextLine& line,
              const LineStyle& style);

// The selected font of a context; null only when no host font exists.
SizedFont* SelectedFont(const DeviceContext& context);

}  // namespace platform::gdi
