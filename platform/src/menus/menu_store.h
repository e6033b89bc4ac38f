// The handheld's menus: items by handle, under one lock. Callers copy what
// they need out (Snapshot) rather than holding items while windows run.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/handheld.h"
#include "platform/menus.h"

namespace platform::menus {

struct MenuItem {
  UINT flags = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR
  UINT id = 0;
  std::string text;
  HMENU submenu = nullptr;
  bool separator() const { return (flags & MF_SEPARATOR) != 0; }
  bool grayed() const { return (flags & (MF_GRAYED | MF_DISABLED)) != 0; }
  bool checked() const { return (flags & MF_CHECKED) != 0; }
};

struct Menu {
  std::vector<MenuItem> items;
};

class MenuStore : public HandheldService {
 public:
  explicit MenuStore(Handheld&) {}
  static MenuStore& Get();

  HMENU Create();
  // Destroys the menu and its sub-menus; false when it does not exist.
  bool Destroy(HMENU menu);
  bool Exists(HMENU menu) const;

  // Runs `change` on the menu under the lock; false when it does not exist.
  bool Change(HMENU menu, const std::function<void(Menu&)>& change);
  // A copy of the menu's items; nothing when it does not exist.
  std::optional<std::vector<MenuItem>> Snapshot(HMENU menu) const;

  // Where an item is: the menu that holds it and its index there. By
  // command the sub-menus are searched too (depth first).
  struct Place {
    HMENU menu = nullptr;
    std::size_t index = 0;
  };
  std::optional<Place> Locate(HMENU menu, UINT item, UINT flags) const;

 private:
  std::optional<Place> LocateLocked(HMENU menu, UINT item, UINT flags) const;
  void DestroyLocked(HMENU menu);

  mutable std::mutex mutex_;
  std::map<HMENU, Menu> menus_;
  std::uintptr_t next_handle_ = 0x10;
};

}  // namespace platform::menus
