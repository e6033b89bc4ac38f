// Menus from the templates modules carry.
#include "menus/menu_store.h"
#include "platform/last_error.h"
#include "platform/menus.h"

namespace platform {

namespace {

// Appends the template's items to `menu`; false (the menu half made) when a
// sub-menu cannot be made.
bool AppendItems(HMENU menu, const std::vector<MenuItemTemplate>& items) {
  for (const MenuItemTemplate& item : items) {
    const UINT state = (item.grayed ? MF_GRAYED : 0) | (item.checked ? MF_CHECKED : 0);
    if (item.separator) {
      AppendMenu(menu, MF_SEPARATOR, 0, "");
    } else if (!item.items.empty()) {
      HMENU submenu = CreatePopupMenu();
      if (!AppendItems(submenu, item.items) ||
          !AppendMenu(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(submenu), item.text)) {
        DestroyMenu(submenu);
        return false;
      }
      // A sub-menu may carry an id of its own: the menu bar finds it by that.
      menus::MenuStore::Get().Change(
          menu, [&](menus::Menu& holder) { holder.items.back().id = item.id; });
    } else {
      AppendMenu(menu, MF_STRING | state, item.id, item.text);
    }
  }
  return true;
}

}  // namespace

HMENU LoadMenuIndirect(const MenuTemplate* menu_template) {
  if (!menu_template) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HMENU menu = CreateMenu();
  if (!AppendItems(menu, menu_template->items)) {
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

HMENU LoadMenu(HINSTANCE instance, const ResourceId& id) {
  std::shared_ptr<const MenuTemplate> found = FindMenuTemplate(instance, id);
  if (!found) return nullptr;
  return LoadMenuIndirect(found.get());
}

}  // namespace platform
