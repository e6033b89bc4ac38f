#include "gdi/text_render.h"

#include <algorithm>

#include "files/utf8.h"
#include "gdi/painter.h"

namespace platform::gdi {

std::u32string DecodeText(std::string_view utf8) {
  std::u32string text;
  text.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    files_internal::CodePoint point = files_internal::DecodeUtf8(utf8, at);
    // Bytes that are not UTF-8 are shown as the replacement character.
    text.push_back(point.valid() ? point.value : U'\uFFFD');
    at += point.length;
  }
  return text;
}

int LineWidth(SizedFont& font, std::u32string_view text, const int* advances) {
  int width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    width += advances != nullptr ? advances[i] : font.GetGlyph(text[i]).advance;
  }
  return width;
}

namespace {

BYTE Blend(BYTE under, BYTE over, int alpha) {
  return static_cast<BYTE>((over * alpha + under * (255 - alpha) + 127) / 255);
}

void DrawGlyph(const DeviceContext& context, const Glyph& glyph, int pen_x, int baseline,
               COLORREF color, const RECT* clip) {
  if (glyph.width == 0 || glyph.rows == 0) return;
  const int left = pen_x + glyph.left;
  const int top = baseline - glyph.top;
  const RECT box{left, top, left + glyph.width, top + glyph.rows};
  const Surface& target = *context.target();
  const POINT origin = context.origin();
  ForEachPixel(
      context, box,
      [&](BYTE* pixel, int tx, int ty) {
        int gx = tx - origin.x - left;
        int gy = ty - origin.y - top;
        int alpha = glyph.coverage[static_cast<std::size_t>(gy) * glyph.width + gx];
        if (alpha == 0) return;
        if (alpha == 255) {
          target.WritePixel(pixel, color);
          return;
        }
        COLORREF under = target.ReadPixel(pixel);
        target.WritePixel(pixel, RGB(Blend(GetRValue(under), GetRValue(color), alpha),
                                     Blend(GetGValue(under), GetGValue(color), alpha),
                                     Blend(GetBValue(under), GetBValue(color), alpha)));
      },
      clip);
}

}  // namespace

void DrawLine(const DeviceContext& context, SizedFont& font, int x, int top, const TextLine& line,
              const LineStyle& style) {
  const int width = LineWidth(font, line.text, style.advances);
  if (style.background) {
    FillArea(context, RECT{x, top, x + width, top + font.height()}, *style.background, style.clip);
  }
  const int baseline = top + font.ascent();
  const int thickness = std::max(1, font.pixel_size() / 14);
  int pen_x = x;
  for (std::size_t i = 0; i < line.text.size(); ++i) {
    const Glyph& glyph = font.GetGlyph(line.text[i]);
    const int advance = style.advances != nullptr ? style.advances[i] : glyph.advance;
    DrawGlyph(context, glyph, pen_x, baseline, style.color, style.clip);
    const bool underlined = font.underline() || (i < line.underlined.size() && line.underlined[i]);
    if (underlined) {
      FillArea(context, RECT{pen_x, baseline + 1, pen_x + advance, baseline + 1 + thickness},
               style.color, style.clip);
    }
    pen_x += advance;
  }
  if (font.strike_out()) {
    int middle = baseline - font.ascent() / 3;
    FillArea(context, RECT{x, middle, x + width, middle + thickness}, style.color, style.clip);
  }
}

SizedFont* SelectedFont(const DeviceContext& context) { return context.font().sized.get(); }

}  // namespace platform::gdi
