// List view: rows of items with a small icon and a text, in report view
// with columns of sub-item texts under a header. Items are selected by
// taps (one at a time with LVS_SINGLESEL); changes, taps, double taps and
// deletions are notified to the parent with WM_NOTIFY.
#pragma once

#include "platform/common_controls/notify.h"
#include "platform/image_list.h"
#include "platform/messages.h"

namespace platform {

inline constexpr char WC_LISTVIEW[] = "SysListView32";

inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
// Without it the list view destroys its image lists when it is destroyed.
inline constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

inline constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;

inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_SETBKCOLOR = LVM_FIRST + 1;
inline constexpr UINT LVM_GETIMAGELIST = LVM_FIRST + 2;  // wParam LVSIL_*
inline constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;  // wParam LVSIL_*, lParam list; the old
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;  // wParam index
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;  // wParam start (-1), lParam LVNI_*
inline constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;  // wParam index, lParam RECT* (left LVIR_*)
inline constexpr UINT LVM_HITTEST = LVM_FIRST + 18;      // lParam LVHITTESTINFO*
inline constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;  // wParam index
inline constexpr UINT LVM_SCROLL = LVM_FIRST + 20;         // lParam pixels down
inline constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
inline constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;  // wParam column
inline constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;  // wParam column, lParam width
inline constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
inline constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
inline constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;  // wParam index (-1 all), lParam LVITEM*
inline constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;  // wParam index, lParam mask
inline constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;  // wParam mask, lParam style
inline constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
inline constexpr UINT LVM_GETITEM = LVM_FIRST + 75;       // lParam LVITEM*
inline constexpr UINT LVM_SETITEM = LVM_FIRST + 76;       // lParam LVITEM*
inline constexpr UINT LVM_INSERTITEM = LVM_FIRST + 77;    // lParam LVITEM*; the index or -1
inline constexpr UINT LVM_GETCOLUMN = LVM_FIRST + 95;     // wParam column, lParam LVCOLUMN*
inline constexpr UINT LVM_SETCOLUMN = LVM_FIRST + 96;     // wParam column, lParam LVCOLUMN*
inline constexpr UINT LVM_INSERTCOLUMN = LVM_FIRST + 97;  // wParam column, lParam LVCOLUMN*
inline constexpr UINT LVM_GETITEMTEXT = LVM_FIRST + 115;  // wParam index, lParam LVITEM*
inline constexpr UINT LVM_SETITEMTEXT = LVM_FIRST + 116;  // wParam index, lParam LVITEM*

inline constexpr WPARAM LVSIL_NORMAL = 0;
inline constexpr WPARAM LVSIL_SMALL = 1;

inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;

inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;

inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr UINT LVNI_ABOVE = 0x0100;
inline constexpr UINT LVNI_BELOW = 0x0200;

inline constexpr LONG LVIR_BOUNDS = 0;
inline constexpr LONG LVIR_ICON = 1;
inline constexpr LONG LVIR_LABEL = 2;

inline constexpr UINT LVHT_NOWHERE = 0x0001;
inline constexpr UINT LVHT_ONITEMICON = 0x0002;
inline constexpr UINT LVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL;

inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr UINT LVCF_SUBITEM = 0x0008;
inline constexpr int LVCFMT_LEFT = 0x0000;
inline constexpr int LVCFMT_RIGHT = 0x0001;
inline constexpr int LVCFMT_CENTER = 0x0002;

// Texts are UTF-8: pszText points at cchTextMax bytes when reading.
struct LVITEM {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
};

struct LVCOLUMN {
  UINT mask = 0;
  int fmt = LVCFMT_LEFT;
  int cx = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
};

struct LVHITTESTINFO {
  POINT pt;  // client coordinates
  UINT flags = 0;
  int iItem = -1;
  int iSubItem = 0;
};

inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;  // return TRUE to refuse
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
inline constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
inline constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
inline constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;  // return TRUE: no LVN_DELETEITEM each
inline constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
inline constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55;

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;  // LVIF_* of what changed
  POINT ptAction;     // client coordinates
  LPARAM lParam = 0;
};

// NM_CLICK and NM_DBLCLK of a list view.
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};

struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

}  // namespace platform
