#include "controls/sibling_order.h"

#include <algorithm>

namespace platform::controls {

std::vector<HWND> SiblingsInOrder(HWND hwnd) {
  std::vector<HWND> siblings;
  HWND parent = GetParent(hwnd);
  if (!parent) return {hwnd};
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    siblings.push_back(child);
  }
  std::reverse(siblings.begin(), siblings.end());
  return siblings;
}

std::vector<HWND> GroupOf(HWND hwnd) {
  const std::vector<HWND> siblings = SiblingsInOrder(hwnd);
  const auto self = std::find(siblings.begin(), siblings.end(), hwnd);
  if (self == siblings.end()) return {hwnd};
  const auto starts_group = [](HWND window) {
    return (GetWindowLong(window, GWL_STYLE) & WS_GROUP) != 0;
  };
  auto first = self;
  while (first != siblings.begin() && !starts_group(*first)) --first;
  auto last = self + 1;
  while (last != siblings.end() && !starts_group(*last)) ++last;
  return {first, last};
}

}  // namespace platform::controls
