#include "controls/edit_buffer.h"

#include <algorithm>

#include "files/utf8.h"

namespace platform::controls {

std::u32string ToUtf32(std::string_view text) {
  std::u32string result;
  files_internal::ForEachCodePoint(
      text, [&](const files_internal::CodePoint& point) { result.push_back(point.value); });
  return result;
}

std::string ToUtf8(std::u32string_view text) {
  std::string result;
  for (char32_t c : text) files_internal::AppendUtf8(result, c);
  return result;
}

int EditBuffer::Settle(int position) const {
  position = std::clamp(position, 0, size());
  // Never between the two characters of a line break.
  if (position > 0 && position < size() && text_[position - 1] == U'\r' &&
      text_[position] == U'\n') {
    --position;
  }
  return position;
}

void EditBuffer::SetText(std::u32string text) {
  text_ = std::move(text);
  caret_ = anchor_ = 0;
}

void EditBuffer::Select(int anchor, int caret) {
  anchor_ = Settle(anchor);
  caret_ = Settle(caret);
}

int EditBuffer::Previous(int position) const {
  if (position <= 0) return 0;
  if (position >= 2 && text_[position - 2] == U'\r' && text_[position - 1] == U'\n') {
    return position - 2;
  }
  return position - 1;
}

int EditBuffer::Next(int position) const {
  if (position >= size()) return size();
  if (position + 1 < size() && text_[position] == U'\r' && text_[position + 1] == U'\n') {
    return position + 2;
  }
  return position + 1;
}

EditBuffer::Change EditBuffer::Replace(std::u32string_view insert, std::size_t limit) {
  const std::size_t kept = text_.size() - static_cast<std::size_t>(end() - start());
  const std::size_t room = limit > kept ? limit - kept : 0;
  Change change;
  if (insert.size() > room) {
    change.cut = true;
    insert = insert.substr(0, room);
    // A line break is not split in two.
    if (!insert.empty() && insert.back() == U'\r') insert.remove_suffix(1);
  }
  if (insert.empty() && !HasSelection()) return change;
  const int at = start();
  text_.replace(static_cast<std::size_t>(at), static_cast<std::size_t>(end() - at), insert);
  caret_ = anchor_ = at + static_cast<int>(insert.size());
  change.changed = true;
  return change;
}

bool EditBuffer::DeleteBackward() {
  if (!HasSelection()) {
    if (caret_ == 0) return false;
    anchor_ = Previous(caret_);
  }
  return Replace({}, text_.size()).changed;
}

bool EditBuffer::DeleteForward() {
  if (!HasSelection()) {
    if (caret_ >= size()) return false;
    anchor_ = Next(caret_);
  }
  return Replace({}, text_.size()).changed;
}

}  // namespace platform::controls
