// Menu templates written the way modules write them.
#pragma once

#include <string>
#include <vector>

#include "platform/resources.h"

namespace platform::testing {

inline MenuItemTemplate Command(std::string text, UINT id, bool grayed = false,
                                bool checked = false, int image = -1) {
  MenuItemTemplate item;
  item.text = std::move(text);
  item.id = id;
  item.grayed = grayed;
  item.checked = checked;
  item.image = image;
  return item;
}

inline MenuItemTemplate Separator() {
  MenuItemTemplate item;
  item.separator = true;
  return item;
}

inline MenuItemTemplate Popup(std::string text, UINT id, std::vector<MenuItemTemplate> items) {
  MenuItemTemplate item;
  item.text = std::move(text);
  item.id = id;
  item.items = std::move(items);
  return item;
}

}  // namespace platform::testing
