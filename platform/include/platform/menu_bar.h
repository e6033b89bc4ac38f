// The shell's menu bar: a strip at the bottom of the screen, below its
// window, made from a menu resource. Each top-level item of the menu is a
// button: one with a sub-menu opens it as a drop-down menu, a command item
// sends its command (shown as its text, or as an image of the toolbar
// bitmap). The input-panel button sits at the right unless hidden. Commands
// reach the bar's window (hwndParent) as WM_COMMAND.
//
// The bar answers the toolbar messages for its command buttons (enable,
// check, press, hide and their queries) by command id, and
// SHCMBM_GETSUBMENU for the sub-menu of an item by that item's id. The bar
// goes with its window (it is owned by it), or with DestroyWindow.
#pragma once

#include "platform/gdi_types.h"
#include "platform/menus.h"
#include "platform/window.h"

namespace platform {

inline constexpr DWORD SHCMBF_EMPTYBAR = 0x0001;
inline constexpr DWORD SHCMBF_HIDDEN = 0x0002;
inline constexpr DWORD SHCMBF_HIDESIPBUTTON = 0x0004;
inline constexpr DWORD SHCMBF_COLORBK = 0x0008;

struct SHMENUBARINFO {
  DWORD cbSize = sizeof(SHMENUBARINFO);
  HWND hwndParent = nullptr;
  DWORD dwFlags = 0;
  UINT nToolBarId = 0;           // the menu resource
  HINSTANCE hInstRes = nullptr;  // the module holding it and the bitmap
  int nBmpId = 0;                // toolbar bitmap: cBmpImages images side by side
  int cBmpImages = 0;
  HWND hwndMB = nullptr;  // the bar, once made
  COLORREF clrBk = 0;     // with SHCMBF_COLORBK
};

// FALSE (with the last error) when the window, the menu resource or the
// toolbar bitmap is missing; a window's earlier bar is replaced.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);
// The bar of a window, null when it has none.
HWND SHFindMenuBar(HWND hwnd);

// lParam: the id of the item whose sub-menu is wanted; answers the HMENU.
inline constexpr UINT SHCMBM_SETSUBMENU = WM_USER + 400;
inline constexpr UINT SHCMBM_GETSUBMENU = WM_USER + 401;
// Answers the bar's whole menu.
inline constexpr UINT SHCMBM_GETMENU = WM_USER + 402;

namespace shell {
inline constexpr char kMenuBarClass[] = "menu_worker";
}  // namespace shell

}  // namespace platform
