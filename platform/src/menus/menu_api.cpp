// The menu calls on the handheld's menu store.
#include <algorithm>
#include <cstring>

#include "menus/menu_store.h"
#include "platform/last_error.h"

namespace platform {

namespace {

using menus::MenuItem;
using menus::MenuStore;

constexpr UINT kNoItem = static_cast<UINT>(-1);
constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED;

bool Fail(DWORD error) {
  SetLastError(error);
  return false;
}

// The item an append, insert or modify describes; false when it names a
// sub-menu that does not exist.
bool MakeItem(UINT flags, UINT_PTR id_or_menu, std::string_view text, MenuItem* item) {
  item->flags = flags & (kStateFlags | MF_POPUP | MF_SEPARATOR);
  if (flags & MF_SEPARATOR) return true;
  item->text = std::string(text);
  if (flags & MF_POPUP) {
    item->submenu = reinterpret_cast<HMENU>(id_or_menu);
    return MenuStore::Get().Exists(item->submenu);
  }
  item->id = static_cast<UINT>(id_or_menu);
  return true;
}

// Runs `change` on the item `item` names; false when there is none.
bool ChangeItem(HMENU menu, UINT item, UINT flags, const std::function<void(MenuItem&)>& change) {
  MenuStore& store = MenuStore::Get();
  auto place = store.Locate(menu, item, flags);
  if (!place) return false;
  bool found = false;
  store.Change(place->menu, [&](menus::Menu& holder) {
    if (place->index >= holder.items.size()) return;
    change(holder.items[place->index]);
    found = true;
  });
  return found;
}

std::optional<MenuItem> ItemAt(HMENU menu, UINT item, UINT flags) {
  std::optional<MenuItem> found;
  ChangeItem(menu, item, flags, [&](MenuItem& at) { found = at; });
  return found;
}

// Takes the item out; its sub-menu, if any.
std::optional<HMENU> TakeOut(HMENU menu, UINT position, UINT flags) {
  MenuStore& store = MenuStore::Get();
  auto place = store.Locate(menu, position, flags);
  if (!place) return std::nullopt;
  std::optional<HMENU> submenu;
  store.Change(place->menu, [&](menus::Menu& holder) {
    if (place->index >= holder.items.size()) return;
    submenu = holder.items[place->index].submenu;
    holder.items.erase(holder.items.begin() + static_cast<std::ptrdiff_t>(place->index));
  });
  return submenu;
}

}  // namespace

HMENU CreateMenu() { return MenuStore::Get().Create(); }
HMENU CreatePopupMenu() { return MenuStore::Get().Create(); }

BOOL DestroyMenu(HMENU menu) {
  return MenuStore::Get().Destroy(menu) ? TRUE : Fail(ERROR_INVALID_MENU_HANDLE);
}

BOOL IsMenu(HMENU menu) { return MenuStore::Get().Exists(menu); }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id_or_menu, std::string_view text) {
  return InsertMenu(menu, kNoItem, flags | MF_BYPOSITION, id_or_menu, text);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_menu, std::string_view text) {
  MenuItem item;
  if (!MakeItem(flags, id_or_menu, text, &item)) return Fail(ERROR_INVALID_MENU_HANDLE);
  MenuStore& store = MenuStore::Get();
  // By command the item goes before the one with that id, wherever it is;
  // by position (or with no such command) into this menu.
  HMENU target = menu;
  std::size_t index = position;
  if (!(flags & MF_BYPOSITION)) {
    if (auto place = store.Locate(menu, position, flags)) {
      target = place->menu;
      index = place->index;
    } else {
      index = static_cast<std::size_t>(kNoItem);
    }
  }
  const bool done = store.Change(target, [&](menus::Menu& holder) {
    index = std::min(index, holder.items.size());
    holder.items.insert(holder.items.begin() + static_cast<std::ptrdiff_t>(index), item);
  });
  return done ? TRUE : Fail(ERROR_INVALID_MENU_HANDLE);
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_menu, std::string_view text) {
  MenuItem item;
  if (!MakeItem(flags & ~MF_BYPOSITION, id_or_menu, text, &item)) {
    return Fail(ERROR_INVALID_MENU_HANDLE);
  }
  return ChangeItem(menu, position, flags, [&](MenuItem& at) { at = item; })
             ? TRUE
             : Fail(ERROR_MENU_ITEM_NOT_FOUND);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  return TakeOut(menu, position, flags) ? TRUE : Fail(ERROR_MENU_ITEM_NOT_FOUND);
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  std::optional<HMENU> submenu = TakeOut(menu, position, flags);
  if (!submenu) return Fail(ERROR_MENU_ITEM_NOT_FOUND);
  if (*submenu) MenuStore::Get().Destroy(*submenu);
  return TRUE;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  DWORD previous = kNoItem;
  ChangeItem(menu, item, flags, [&](MenuItem& at) {
    previous = at.flags & MF_CHECKED;
    at.flags = (at.flags & ~MF_CHECKED) | (flags & MF_CHECKED);
  });
  return previous;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  DWORD previous = kNoItem;
  ChangeItem(menu, item, flags, [&](MenuItem& at) {
    previous = at.flags & (MF_GRAYED | MF_DISABLED);
    at.flags = (at.flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  });
  return static_cast<BOOL>(previous);
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  if (first > last || check < first || check > last) return Fail(ERROR_INVALID_PARAMETER);
  bool any = false;
  for (UINT item = first; item <= last; ++item) {
    any = ChangeItem(menu, item, flags,
                     [&](MenuItem& at) {
                       at.flags = (at.flags & ~MF_CHECKED) | (item == check ? MF_CHECKED : 0);
                     }) ||
          any;
  }
  return any ? TRUE : Fail(ERROR_MENU_ITEM_NOT_FOUND);
}

int GetMenuItemCount(HMENU menu) {
  auto items = MenuStore::Get().Snapshot(menu);
  if (!items) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return -1;
  }
  return static_cast<int>(items->size());
}

UINT GetMenuItemID(HMENU menu, int position) {
  if (position < 0) return kNoItem;
  auto item = ItemAt(menu, static_cast<UINT>(position), MF_BYPOSITION);
  if (!item || item->submenu) return kNoItem;
  return item->id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  if (position < 0) return nullptr;
  auto item = ItemAt(menu, static_cast<UINT>(position), MF_BYPOSITION);
  return item ? item->submenu : nullptr;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  auto found = ItemAt(menu, item, flags);
  if (!found) return kNoItem;
  return found->flags & (kStateFlags | MF_POPUP | MF_SEPARATOR);
}

int GetMenuString(HMENU menu, UINT item, char* buffer, int buffer_size, UINT flags) {
  auto found = ItemAt(menu, item, flags);
  const std::string text = found ? found->text : std::string();
  if (!buffer || buffer_size <= 0) return static_cast<int>(text.size());
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(buffer_size - 1));
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

std::string GetMenuString(HMENU menu, UINT item, UINT flags) {
  auto found = ItemAt(menu, item, flags);
  return found ? found->text : std::string();
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO* info) {
  if (!info) return Fail(ERROR_INVALID_PARAMETER);
  auto found = ItemAt(menu, item, by_position ? MF_BYPOSITION : MF_BYCOMMAND);
  if (!found) return Fail(ERROR_MENU_ITEM_NOT_FOUND);
  if (info->fMask & MIIM_STATE) info->fState = found->flags & (MFS_GRAYED | MFS_CHECKED);
  if (info->fMask & MIIM_ID) info->wID = found->id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = found->submenu;
  if (info->fMask & MIIM_TYPE) {
    info->fType = found->separator() ? MFT_SEPARATOR : MFT_STRING;
    if (info->dwTypeData && info->cch > 0) {
      const std::size_t length = std::min<std::size_t>(found->text.size(), info->cch - 1);
      std::memcpy(info->dwTypeData, found->text.data(), length);
      info->dwTypeData[length] = '\0';
    }
    info->cch = static_cast<UINT>(found->text.size());
  }
  return TRUE;
}

}  // namespace platform
