#include "controls/item_list.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace platform::controls {

namespace {

char Fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Compares without regard to (ASCII) case.
int CompareFolded(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char x = Fold(a[i]);
    const char y = Fold(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool Matches(std::string_view item, std::string_view text, bool exact) {
  if (exact) return CompareFolded(item, text) == 0;
  return item.size() >= text.size() && CompareFolded(item.substr(0, text.size()), text) == 0;
}

}  // namespace

int ItemList::Add(std::string_view text) {
  if (!sorted_) {
    items_.push_back({std::string(text), 0});
    return count() - 1;
  }
  const auto place = std::upper_bound(
      items_.begin(), items_.end(), text,
      [](std::string_view value, const Item& item) { return CompareFolded(value, item.text) < 0; });
  const auto inserted = items_.insert(place, Item{std::string(text), 0});
  return static_cast<int>(inserted - items_.begin());
}

int ItemList::Insert(int index, std::string_view text) {
  if (index == -1) index = count();
  if (index < 0 || index > count()) return -1;
  items_.insert(items_.begin() + index, Item{std::string(text), 0});
  return index;
}

bool ItemList::Delete(int index) {
  if (!Valid(index)) return false;
  items_.erase(items_.begin() + index);
  return true;
}

int ItemList::Find(std::string_view text, int after, bool exact) const {
  const int total = count();
  if (total == 0) return -1;
  const int start = Valid(after) ? after + 1 : 0;
  for (int step = 0; step < total; ++step) {
    const int index = (start + step) % total;
    if (Matches(items_[index].text, text, exact)) return index;
  }
  return -1;
}

LRESULT CopyItemText(const ItemList& items, int index, char* buffer) {
  if (!items.Valid(index) || !buffer) return -1;
  const std::string& text = items.Text(index);
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<LRESULT>(text.size());
}

}  // namespace platform::controls
