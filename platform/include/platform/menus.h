// Menus: bars and pop-ups of items, each a command with an id, a separator
// or a sub-menu; items can be checked and greyed. A pop-up is shown with
// TrackPopupMenu(Ex), which runs until an item is chosen or the menu is
// dismissed; a greyed item sends no command.
//
// A menu lives until DestroyMenu; destroying a menu destroys its sub-menus.
// Items are addressed by command id (MF_BYCOMMAND, searched through the
// sub-menus too) or by position (MF_BYPOSITION).
#pragma once

#include <string>
#include <string_view>

#include "platform/resources.h"
#include "platform/window.h"

namespace platform {

inline constexpr DWORD ERROR_INVALID_MENU_HANDLE = 1401;
inline constexpr DWORD ERROR_MENU_ITEM_NOT_FOUND = 1456;

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);

// `id_or_menu` is the command id, or with MF_POPUP the sub-menu (an HMENU
// cast to UINT_PTR), which then belongs to this menu.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id_or_menu, std::string_view text);
// Inserts before the item at `position` (by command or by position; a
// position past the end appends).
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_menu, std::string_view text);
// Replaces the item's kind, text and id.
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_menu, std::string_view text);
// Takes the item out; a sub-menu it held is kept (the caller owns it now).
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
// Takes the item out and destroys a sub-menu it held.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

// The previous MF_CHECKED / MF_GRAYED state, or (DWORD)-1 when there is no
// such item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
// Checks `check` and unchecks the other items of first..last.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);

int GetMenuItemCount(HMENU menu);
// The command id at a position; (UINT)-1 for a sub-menu or no item.
UINT GetMenuItemID(HMENU menu, int position);
// The sub-menu at a position, null when that item has none.
HMENU GetSubMenu(HMENU menu, int position);
// The item's MF_ flags (MF_CHECKED, MF_GRAYED, MF_POPUP, MF_SEPARATOR);
// (UINT)-1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Copies the item's text (NUL-terminated, cut to fit); its length, 0 when
// there is no such item.
int GetMenuString(HMENU menu, UINT item, char* buffer, int buffer_size, UINT flags);
std::string GetMenuString(HMENU menu, UINT item, UINT flags);

inline constexpr UINT MIIM_STATE = 0x0001;
inline constexpr UINT MIIM_ID = 0x0002;
inline constexpr UINT MIIM_SUBMENU = 0x0004;
inline constexpr UINT MIIM_TYPE = 0x0010;
inline constexpr UINT MFT_STRING = MF_STRING;
inline constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
inline constexpr UINT MFS_GRAYED = 0x0003;
inline constexpr UINT MFS_CHECKED = MF_CHECKED;

struct MENUITEMINFO {
  UINT cbSize = sizeof(MENUITEMINFO);
  UINT fMask = 0;
  UINT fType = 0;   // MFT_STRING or MFT_SEPARATOR
  UINT fState = 0;  // MFS_GRAYED, MFS_CHECKED
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  char* dwTypeData = nullptr;  // receives the text (MIIM_TYPE)
  UINT cch = 0;                // its size; set to the text's length
};
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO* info);

// A menu resource of the module as a menu: its top-level items with their
// sub-menus. Null with the last error when there is none.
HMENU LoadMenu(HINSTANCE instance, const ResourceId& id);
// A menu made from a template.
HMENU LoadMenuIndirect(const MenuTemplate* menu_template);

inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_VCENTERALIGN = 0x0010;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

struct TPMPARAMS {
  UINT cbSize = sizeof(TPMPARAMS);
  RECT rcExclude;
};

// Shows the pop-up at the screen point and runs until an item is chosen
// (a tap on it, or Enter on the highlighted one) or the menu is dismissed
// (a tap elsewhere, Escape). The owner gets WM_INITMENUPOPUP first and the
// chosen command as WM_COMMAND afterwards; with TPM_RETURNCMD the command
// is returned instead (0 when none). Sub-menus open beside their item.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* ignored);

}  // namespace platform
