#include "controls/edit_layout.h"

#include <algorithm>

namespace platform::controls {

EditLayout::EditLayout(const std::u32string& text, bool wrap, int width, const Advance& advance) {
  advances_.reserve(text.size());
  for (char32_t c : text) advances_.push_back(c == U'\r' || c == U'\n' ? 0 : advance(c));
  const int size = static_cast<int>(text.size());
  int start = 0;
  for (int i = 0; i <= size; ++i) {
    if (i == size) {
      BreakParagraph(text, start, size, size, wrap, width);
      break;
    }
    if (text[i] != U'\n' && text[i] != U'\r') continue;
    // "\r\n" and a lone "\n" or "\r" end a line.
    const int next = (text[i] == U'\r' && i + 1 < size && text[i + 1] == U'\n') ? i + 2 : i + 1;
    BreakParagraph(text, start, i, next, wrap, width);
    start = next;
    i = next - 1;
  }
}

void EditLayout::BreakParagraph(const std::u32string& text, int start, int end, int next, bool wrap,
                                int width) {
  if (!wrap || width <= 0) {
    lines_.push_back({start, end, next});
    return;
  }
  // Greedy: as many words as fit; a word longer than a line is split.
  int line_start = start;
  while (true) {
    int x = 0;
    int fit = line_start;
    while (fit < end && x + advances_[fit] <= width) x += advances_[fit++];
    if (fit >= end) {
      lines_.push_back({line_start, end, next});
      return;
    }
    // Spaces at the break stay at the end of the line.
    while (fit < end && text[fit] == U' ') ++fit;
    int break_at = fit;
    if (fit < end) {
      break_at = line_start;
      for (int j = fit; j > line_start; --j) {
        if (text[j - 1] == U' ') {
          break_at = j;
          break;
        }
      }
      if (break_at == line_start) break_at = std::max(fit, line_start + 1);
    }
    if (break_at >= end) {
      lines_.push_back({line_start, end, next});
      return;
    }
    lines_.push_back({line_start, break_at, break_at});
    line_start = break_at;
  }
}

int EditLayout::LineOf(int position) const {
  for (int line = 0; line + 1 < LineCount(); ++line) {
    if (position < lines_[line + 1].start) return line;
  }
  return LineCount() - 1;
}

int EditLayout::X(int line, int position) const {
  int x = 0;
  const int stop = std::min(position, lines_[line].end);
  for (int i = lines_[line].start; i < stop; ++i) x += advances_[i];
  return x;
}

int EditLayout::PositionAt(int line, int x) const {
  const EditLine& span = lines_[line];
  int left = 0;
  for (int i = span.start; i < span.end; ++i) {
    if (x < left + advances_[i] / 2 + (advances_[i] % 2)) return i;
    left += advances_[i];
  }
  return span.end;
}

std::vector<int> EditLayout::Advances(int from, int to) const {
  return {advances_.begin() + from, advances_.begin() + to};
}

}  // namespace platform::controls
