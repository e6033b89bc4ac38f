// How an edit control's text falls into lines: at its line breaks, and (for
// a multi-line edit) between words where a line would pass the width. Each
// character's advance comes from the font, so positions and the caret's x
// agree exactly with what is drawn.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform::controls {

struct EditLine {
  int start = 0;  // first character
  int end = 0;    // after the last shown character (before a line break)
  int next = 0;   // where the next line starts
};

class EditLayout {
 public:
  using Advance = std::function<int(char32_t)>;

  // `width` <= 0 or !wrap: lines break only at line breaks.
  EditLayout(const std::u32string& text, bool wrap, int width, const Advance& advance);

  const std::vector<EditLine>& lines() const { return lines_; }
  int LineCount() const { return static_cast<int>(lines_.size()); }
  int LineOf(int position) const;
  // Pixels from the line's start to the position (which is on that line).
  int X(int line, int position) const;
  int Width(int line) const { return X(line, lines_[line].end); }
  // The character stop on the line nearest to x.
  int PositionAt(int line, int x) const;
  // Each character's advance from `from` to `to` (for drawing).
  std::vector<int> Advances(int from, int to) const;

 private:
  void BreakParagraph(const std::u32string& text, int start, int end, int next, bool wrap,
                      int width);

  std::vector<int> advances_;  // one per character of the text
  std::vector<EditLine> lines_;
};

}  // namespace platform::controls
