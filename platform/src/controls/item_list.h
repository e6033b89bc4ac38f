// The items of a list box or combo box: texts with a value of the caller's
// each, in order (sorted without regard to case when the control sorts).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform::controls {

class ItemList {
 public:
  explicit ItemList(bool sorted = false) : sorted_(sorted) {}

  int count() const { return static_cast<int>(items_.size()); }
  bool Valid(int index) const { return index >= 0 && index < count(); }
  // Adds at the end, or in order when sorted; the index it got.
  int Add(std::string_view text);
  // Inserts before `index` (-1: at the end); -1 when the index is past the end.
  int Insert(int index, std::string_view text);
  bool Delete(int index);
  void Clear() { items_.clear(); }

  const std::string& Text(int index) const { return items_[index].text; }
  LPARAM Data(int index) const { return items_[index].data; }
  void SetData(int index, LPARAM data) { items_[index].data = data; }

  // The first item after `after` (-1: from the start), wrapping round, whose
  // text starts with (or, exact, equals) `text` without regard to case; -1
  // when none.
  int Find(std::string_view text, int after, bool exact) const;

 private:
  struct Item {
    std::string text;
    LPARAM data = 0;
  };
  bool sorted_;
  std::vector<Item> items_;
};

// The answers list boxes and combo boxes share for the item messages.
// Copies the item's text and its terminating zero into buffer.
LRESULT CopyItemText(const ItemList& items, int index, char* buffer);

}  // namespace platform::controls
