// The text of an edit control with its caret and selection, in characters
// (code points). Line breaks are "\r\n", which the caret steps over as one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::controls {

std::u32string ToUtf32(std::string_view text);
std::string ToUtf8(std::u32string_view text);

class EditBuffer {
 public:
  const std::u32string& text() const { return text_; }
  int size() const { return static_cast<int>(text_.size()); }
  int caret() const { return caret_; }
  int anchor() const { return anchor_; }
  int start() const { return anchor_ < caret_ ? anchor_ : caret_; }
  int end() const { return anchor_ < caret_ ? caret_ : anchor_; }
  bool HasSelection() const { return anchor_ != caret_; }

  // Replaces the whole text; the caret goes to the start.
  void SetText(std::u32string text);
  // Both ends are kept inside the text and off the middle of a line break.
  void Select(int anchor, int caret);
  void MoveCaret(int caret, bool extend) { Select(extend ? anchor_ : caret, caret); }

  struct Change {
    bool changed = false;
    bool cut = false;  // the limit left room for only part of it (or none)
  };
  // Puts `insert` in place of the selection, as much of it as keeps the
  // text within `limit` characters; the caret goes after it.
  Change Replace(std::u32string_view insert, std::size_t limit);
  // Backspace and Delete: the selection, else the character (or line
  // break) before or after the caret.
  bool DeleteBackward();
  bool DeleteForward();

  // The caret stop before or after a position.
  int Previous(int position) const;
  int Next(int position) const;

 private:
  int Settle(int position) const;

  std::u32string text_;
  int caret_ = 0;
  int anchor_ = 0;
};

}  // namespace platform::controls
