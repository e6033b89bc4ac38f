// The text calls: fonts, measuring, DrawText's layout in a rectangle and
// ExtTextOut.
#include <algorithm>
#include <optional>

#include "gdi/painter.h"
#include "gdi/text_render.h"
#include "platform/last_error.h"

namespace platform::gdi {

namespace {

constexpr int kTabStopCharacters = 8;

// Splits at line feeds (dropping carriage returns), or joins everything into
// one line for DT_SINGLELINE.
std::vector<std::u32string> SplitLines(const std::u32string& text, bool single_line) {
  std::vector<std::u32string> lines(1);
  for (char32_t c : text) {
    if (c == U'\r') continue;
    if (c == U'\n') {
      if (!single_line) lines.emplace_back();
      continue;
    }
    lines.back().push_back(c);
  }
  return lines;
}

// Takes out "&" prefixes, marking the character each one underlines.
TextLine TakePrefixes(const std::u32string& text, bool keep_prefixes, bool expand_tabs) {
  TextLine line;
  bool any_underline = false;
  std::vector<bool> marks;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    bool underline = false;
    if (!keep_prefixes && c == U'&') {
      if (i + 1 >= text.size()) continue;
      c = text[++i];
      underline = c != U'&';
    }
    if (c == U'\t') {
      // To the next tab stop, or one space.
      std::size_t spaces =
          expand_tabs ? kTabStopCharacters - line.text.size() % kTabStopCharacters : 1;
      line.text.append(spaces, U' ');
      marks.insert(marks.end(), spaces, false);
      continue;
    }
    line.text.push_back(c);
    marks.push_back(underline);
    any_underline = any_underline || underline;
  }
  if (any_underline) line.underlined = std::move(marks);
  return line;
}

TextLine Slice(const TextLine& line, std::size_t from, std::size_t to) {
  TextLine part;
  part.text = line.text.substr(from, to - from);
  if (!line.underlined.empty()) {
    part.underlined.assign(line.underlined.begin() + static_cast<std::ptrdiff_t>(from),
                           line.underlined.begin() + static_cast<std::ptrdiff_t>(to));
  }
  return part;
}

// Breaks a line between words so that each piece fits `width`; a word wider
// than the width stands on a line of its own.
void WrapLine(SizedFont& font, const TextLine& line, int width, std::vector<TextLine>* out) {
  const std::u32string& text = line.text;
  std::size_t start = 0;
  while (true) {
    std::size_t end = start;
    std::size_t last_break = std::u32string::npos;
    int used = 0;
    while (end < text.size()) {
      if (text[end] == U' ') last_break = end;
      int advance = font.GetGlyph(text[end]).advance;
      if (used + advance > width && text[end] != U' ') {
        if (last_break != std::u32string::npos && last_break > start) break;
        // No space yet: the word runs on to its end.
        if (end > start) {
          std::size_t word_end = text.find(U' ', end);
          if (word_end == std::u32string::npos) word_end = text.size();
          end = word_end;
          last_break = std::u32string::npos;
          break;
        }
      }
      used += advance;
      ++end;
    }
    std::size_t cut = end;
    if (end < text.size() && last_break != std::u32string::npos && last_break > start) {
      cut = last_break;
    }
    std::size_t trimmed = cut;
    while (trimmed > start && text[trimmed - 1] == U' ') --trimmed;
    out->push_back(Slice(line, start, trimmed));
    std::size_t next = cut;
    while (next < text.size() && text[next] == U' ') ++next;
    if (next >= text.size()) return;
    start = next;
  }
}

// Cuts the line short with "..." so that it fits `width`.
void EndWithEllipsis(SizedFont& font, TextLine* line, int width) {
  if (LineWidth(font, line->text) <= width) return;
  const std::u32string dots = U"...";
  const int dots_width = LineWidth(font, dots);
  while (!line->text.empty() && LineWidth(font, line->text) + dots_width > width) {
    line->text.pop_back();
  }
  line->text += dots;
  if (!line->underlined.empty()) line->underlined.resize(line->text.size(), false);
}

std::optional<COLORREF> OpaqueBackground(const DeviceContext& context) {
  if (context.bk_mode == OPAQUE) return context.bk_color;
  return std::nullopt;
}

}  // namespace

}  // namespace platform::gdi

namespace platform {

using gdi::DeviceContext;
using gdi::FindContext;
using gdi::SizedFont;
using gdi::TextLine;

HFONT CreateFontIndirect(const LOGFONT* font) {
  if (font == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return gdi::AddObject(std::make_shared<gdi::FontObject>(*font));
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context || metrics == nullptr) return FALSE;
  SizedFont* font = gdi::SelectedFont(*context);
  if (font == nullptr) return FALSE;
  TEXTMETRIC result;
  result.tmHeight = font->height();
  result.tmAscent = font->ascent();
  result.tmDescent = font->descent();
  result.tmInternalLeading = std::max(0, font->height() - font->pixel_size());
  result.tmAveCharWidth = font->average_width();
  result.tmMaxCharWidth = font->max_width();
  result.tmWeight = font->bold() ? FW_BOLD : FW_NORMAL;
  *metrics = result;
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* size) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context || size == nullptr) return FALSE;
  SizedFont* font = gdi::SelectedFont(*context);
  if (font == nullptr) return FALSE;
  *size = {gdi::LineWidth(*font, gdi::DecodeText(text)), font->height()};
  return TRUE;
}

int DrawText(HDC dc, std::string_view text, RECT* rect, UINT format) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context || rect == nullptr) return 0;
  SizedFont* font = gdi::SelectedFont(*context);
  if (font == nullptr) return 0;
  const bool single_line = (format & DT_SINGLELINE) != 0;
  const int box_width = rect->right - rect->left;

  std::vector<TextLine> lines;
  for (const std::u32string& raw : gdi::SplitLines(gdi::DecodeText(text), single_line)) {
    TextLine line =
        gdi::TakePrefixes(raw, (format & DT_NOPREFIX) != 0, (format & DT_EXPANDTABS) != 0);
    if ((format & DT_WORDBREAK) != 0 && !single_line) {
      gdi::WrapLine(*font, line, box_width, &lines);
    } else {
      lines.push_back(std::move(line));
    }
  }
  if ((format & DT_END_ELLIPSIS) != 0) {
    for (TextLine& line : lines) gdi::EndWithEllipsis(*font, &line, box_width);
  }

  const int line_height = font->height();
  const int total_height = line_height * static_cast<int>(lines.size());
  if ((format & DT_CALCRECT) != 0) {
    int widest = 0;
    for (const TextLine& line : lines) widest = std::max(widest, gdi::LineWidth(*font, line.text));
    rect->right = rect->left + widest;
    rect->bottom = rect->top + total_height;
    return total_height;
  }

  int top = rect->top;
  if (single_line && (format & DT_VCENTER) != 0) {
    top = rect->top + (rect->bottom - rect->top - line_height) / 2;
  } else if (single_line && (format & DT_BOTTOM) != 0) {
    top = rect->bottom - line_height;
  }
  gdi::LineStyle style;
  style.color = context->text_color;
  style.background = gdi::OpaqueBackground(*context);
  style.clip = (format & DT_NOCLIP) != 0 ? nullptr : rect;
  for (const TextLine& line : lines) {
    const int width = gdi::LineWidth(*font, line.text);
    int x = rect->left;
    if ((format & DT_CENTER) != 0) {
      x = rect->left + (box_width - width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
      x = rect->right - width;
    }
    gdi::DrawLine(*context, *font, x, top, line, style);
    top += line_height;
  }
  return total_height;
}

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view text,
                const int* advances) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return FALSE;
  SizedFont* font = gdi::SelectedFont(*context);
  if (font == nullptr) return FALSE;
  if ((options & ETO_OPAQUE) != 0 && rect != nullptr) {
    gdi::FillArea(*context, *rect, context->bk_color);
  }
  TextLine line;
  line.text = gdi::DecodeText(text);
  gdi::LineStyle style;
  style.color = context->text_color;
  // With ETO_OPAQUE the rectangle already holds the background.
  if ((options & ETO_OPAQUE) == 0) style.background = gdi::OpaqueBackground(*context);
  style.clip = (options & ETO_CLIPPED) != 0 ? rect : nullptr;
  style.advances = advances;
  gdi::DrawLine(*context, *font, x, y, line, style);
  return TRUE;
}

}  // namespace platform
