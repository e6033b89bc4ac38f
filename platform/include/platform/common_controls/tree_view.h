// Tree view: items with a text, an image and a selected image, in levels
// that expand and collapse, with buttons and lines, one selected item, and
// label editing in place. Changes are asked of and told to the parent with
// WM_NOTIFY (NMTREEVIEW, NMTVDISPINFO).
#pragma once

#include <cstdint>

#include "platform/common_controls/notify.h"
#include "platform/image_list.h"
#include "platform/messages.h"

namespace platform {

inline constexpr char WC_TREEVIEW[] = "SysTreeView32";

struct TreeItemTag;
using HTREEITEM = TreeItemTag*;

inline constexpr DWORD TVS_HASBUTTONS = 0x0001;
inline constexpr DWORD TVS_HASLINES = 0x0002;
inline constexpr DWORD TVS_LINESATROOT = 0x0004;
inline constexpr DWORD TVS_EDITLABELS = 0x0008;
inline constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
inline constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;

inline constexpr UINT TV_FIRST = 0x1100;
inline constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;   // lParam item (TVI_ROOT: all)
inline constexpr UINT TVM_EXPAND = TV_FIRST + 2;       // wParam TVE_*, lParam item
inline constexpr UINT TVM_GETITEMRECT = TV_FIRST + 4;  // wParam text only, lParam RECT* (item in)
inline constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
inline constexpr UINT TVM_GETINDENT = TV_FIRST + 6;
inline constexpr UINT TVM_SETINDENT = TV_FIRST + 7;
inline constexpr UINT TVM_GETIMAGELIST = TV_FIRST + 8;  // wParam TVSIL_*
inline constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;  // wParam TVSIL_*, lParam list; the old
inline constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;  // wParam TVGN_*, lParam item
inline constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;   // wParam TVGN_CARET, lParam item
inline constexpr UINT TVM_GETEDITCONTROL = TV_FIRST + 15;
inline constexpr UINT TVM_GETVISIBLECOUNT = TV_FIRST + 16;
inline constexpr UINT TVM_HITTEST = TV_FIRST + 17;  // lParam TVHITTESTINFO*
inline constexpr UINT TVM_SORTCHILDREN = TV_FIRST + 19;
inline constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;    // lParam item
inline constexpr UINT TVM_ENDEDITLABELNOW = TV_FIRST + 22;  // wParam TRUE: cancel
inline constexpr UINT TVM_INSERTITEM = TV_FIRST + 50;       // lParam TVINSERTSTRUCT*
inline constexpr UINT TVM_GETITEM = TV_FIRST + 62;          // lParam TVITEM*
inline constexpr UINT TVM_SETITEM = TV_FIRST + 63;          // lParam TVITEM*
inline constexpr UINT TVM_EDITLABEL = TV_FIRST + 65;        // lParam item; the edit control

inline constexpr WPARAM TVSIL_NORMAL = 0;
inline constexpr WPARAM TVSIL_STATE = 2;

inline constexpr UINT TVIF_TEXT = 0x0001;
inline constexpr UINT TVIF_IMAGE = 0x0002;
inline constexpr UINT TVIF_PARAM = 0x0004;
inline constexpr UINT TVIF_STATE = 0x0008;
inline constexpr UINT TVIF_HANDLE = 0x0010;
inline constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
inline constexpr UINT TVIF_CHILDREN = 0x0040;

inline constexpr UINT TVIS_FOCUSED = 0x0001;
inline constexpr UINT TVIS_SELECTED = 0x0002;
inline constexpr UINT TVIS_BOLD = 0x0010;
inline constexpr UINT TVIS_EXPANDED = 0x0020;
inline constexpr UINT TVIS_EXPANDEDONCE = 0x0040;

// cChildren: ask the parent (TVN_GETDISPINFO) whether the item has any.
inline constexpr int I_CHILDRENCALLBACK = -1;

inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x10000));
inline const HTREEITEM TVI_FIRST =
    reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFE));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFD));

inline constexpr UINT TVE_COLLAPSE = 0x0001;
inline constexpr UINT TVE_EXPAND = 0x0002;
inline constexpr UINT TVE_TOGGLE = 0x0003;
inline constexpr UINT TVE_ACTIONMASK = 0x0003;
inline constexpr UINT TVE_COLLAPSERESET = 0x8000;  // with TVE_COLLAPSE: delete the children

inline constexpr UINT TVGN_ROOT = 0x0000;
inline constexpr UINT TVGN_NEXT = 0x0001;
inline constexpr UINT TVGN_PREVIOUS = 0x0002;
inline constexpr UINT TVGN_PARENT = 0x0003;
inline constexpr UINT TVGN_CHILD = 0x0004;
inline constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
inline constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
inline constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
inline constexpr UINT TVGN_CARET = 0x0009;

// NMTREEVIEW::action of selection changes.
inline constexpr UINT TVC_UNKNOWN = 0x0000;
inline constexpr UINT TVC_BYMOUSE = 0x0001;
inline constexpr UINT TVC_BYKEYBOARD = 0x0002;

inline constexpr UINT TVHT_NOWHERE = 0x0001;
inline constexpr UINT TVHT_ONITEMICON = 0x0002;
inline constexpr UINT TVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT TVHT_ONITEMINDENT = 0x0008;
inline constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
inline constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
inline constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL;

// Texts are UTF-8: pszText points at cchTextMax bytes when reading.
struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  LPARAM lParam = 0;
};

struct TVINSERTSTRUCT {
  HTREEITEM hParent = nullptr;       // null or TVI_ROOT: a top-level item
  HTREEITEM hInsertAfter = nullptr;  // TVI_FIRST, TVI_LAST, TVI_SORT or a sibling
  TVITEM item;
};

struct TVHITTESTINFO {
  POINT pt;  // client coordinates
  UINT flags = 0;
  HTREEITEM hItem = nullptr;
};

inline constexpr UINT TVN_SELCHANGING = TVN_FIRST - 50;  // return TRUE to refuse
inline constexpr UINT TVN_SELCHANGED = TVN_FIRST - 51;
inline constexpr UINT TVN_GETDISPINFO = TVN_FIRST - 52;
inline constexpr UINT TVN_SETDISPINFO = TVN_FIRST - 53;
inline constexpr UINT TVN_ITEMEXPANDING = TVN_FIRST - 54;  // return TRUE to refuse
inline constexpr UINT TVN_ITEMEXPANDED = TVN_FIRST - 55;
inline constexpr UINT TVN_DELETEITEM = TVN_FIRST - 58;
inline constexpr UINT TVN_BEGINLABELEDIT = TVN_FIRST - 59;  // return TRUE to refuse
inline constexpr UINT TVN_ENDLABELEDIT = TVN_FIRST - 60;    // return TRUE to take the new text
inline constexpr UINT TVN_KEYDOWN = TVN_FIRST - 12;

struct NMTREEVIEW {
  NMHDR hdr;
  UINT action = 0;  // TVE_* or TVC_*
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag;
};

// TVN_GETDISPINFO, TVN_BEGINLABELEDIT, TVN_ENDLABELEDIT (pszText null when
// the edit was cancelled).
struct NMTVDISPINFO {
  NMHDR hdr;
  TVITEM item;
};

struct NMTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

}  // namespace platform
