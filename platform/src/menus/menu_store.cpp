#include "menus/menu_store.h"

namespace platform::menus {

MenuStore& MenuStore::Get() { return Handheld::Current().GetService<MenuStore>(); }

HMENU MenuStore::Create() {
  std::lock_guard lock(mutex_);
  // Handles are never reused, so a stale one finds nothing.
  HMENU menu = reinterpret_cast<HMENU>(next_handle_);
  next_handle_ += 4;
  menus_.emplace(menu, Menu{});
  return menu;
}

void MenuStore::DestroyLocked(HMENU menu) {
  auto it = menus_.find(menu);
  if (it == menus_.end()) return;
  const std::vector<MenuItem> items = std::move(it->second.items);
  menus_.erase(it);
  for (const MenuItem& item : items) {
    if (item.submenu) DestroyLocked(item.submenu);
  }
}

bool MenuStore::Destroy(HMENU menu) {
  std::lock_guard lock(mutex_);
  if (!menus_.contains(menu)) return false;
  DestroyLocked(menu);
  return true;
}

bool MenuStore::Exists(HMENU menu) const {
  std::lock_guard lock(mutex_);
  return menus_.contains(menu);
}

bool MenuStore::Change(HMENU menu, const std::function<void(Menu&)>& change) {
  std::lock_guard lock(mutex_);
  auto it = menus_.find(menu);
  if (it == menus_.end()) return false;
  change(it->second);
  return true;
}

std::optional<std::vector<MenuItem>> MenuStore::Snapshot(HMENU menu) const {
  std::lock_guard lock(mutex_);
  auto it = menus_.find(menu);
  if (it == menus_.end()) return std::nullopt;
  return it->second.items;
}

std::optional<MenuStore::Place> MenuStore::Locate(HMENU menu, UINT item, UINT flags) const {
  std::lock_guard lock(mutex_);
  return LocateLocked(menu, item, flags);
}

std::optional<MenuStore::Place> MenuStore::LocateLocked(HMENU menu, UINT item, UINT flags) const {
  auto it = menus_.find(menu);
  if (it == menus_.end()) return std::nullopt;
  const std::vector<MenuItem>& items = it->second.items;
  if (flags & MF_BYPOSITION) {
    if (item >= items.size()) return std::nullopt;
    return Place{menu, item};
  }
  for (std::size_t index = 0; index < items.size(); ++index) {
    const MenuItem& at = items[index];
    // A sub-menu without an id of its own is found only by position.
    if (!at.separator() && at.id == item && (at.id != 0 || !at.submenu)) {
      return Place{menu, index};
    }
    if (items[index].submenu) {
      if (auto inner = LocateLocked(items[index].submenu, item, flags)) return inner;
    }
  }
  return std::nullopt;
}

}  // namespace platform::menus
