// Property sheets: pages made from dialog templates under one sheet, with
// the pages' tabs along the bottom as on the handheld. A tap on a tab
// changes the page; OK (the Done button, Enter) applies every page that was
// made, Cancel resets them.
//
// The pages hear about it through WM_NOTIFY with a PSHNOTIFY record:
// PSN_SETACTIVE when shown, PSN_KILLACTIVE before they are left (a page
// that answers TRUE in DWL_MSGRESULT stays), PSN_APPLY on OK (a page that
// answers PSNRET_INVALID or PSNRET_INVALID_NOCHANGEPAGE keeps the sheet
// open on that page), PSN_RESET on Cancel.
#pragma once

#include <functional>
#include <string>

#include "platform/common_controls/notify.h"
#include "platform/dialogs.h"
#include "platform/resources.h"

namespace platform {

inline constexpr DWORD PSP_DEFAULT = 0x0000;
inline constexpr DWORD PSP_DLGINDIRECT = 0x0001;  // pResource instead of pszTemplate
inline constexpr DWORD PSP_USETITLE = 0x0008;     // pszTitle instead of the template's caption
inline constexpr DWORD PSP_HASHELP = 0x0020;

struct PROPSHEETPAGE {
  DWORD dwSize = sizeof(PROPSHEETPAGE);
  DWORD dwFlags = PSP_DEFAULT;
  HINSTANCE hInstance = nullptr;
  ResourceId pszTemplate = 0;
  const DialogTemplate* pResource = nullptr;
  std::string pszTitle;
  DLGPROC pfnDlgProc;
  // The page's WM_INITDIALOG has a pointer to the sheet's copy of this
  // record as lParam, so the page reaches lParam through it.
  LPARAM lParam = 0;
};

inline constexpr DWORD PSH_DEFAULT = 0x0000;
inline constexpr DWORD PSH_PROPSHEETPAGE = 0x0008;
inline constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
inline constexpr DWORD PSH_USECALLBACK = 0x0100;
inline constexpr DWORD PSH_MODELESS = 0x0400;
inline constexpr DWORD PSH_MAXIMIZE = 0x2000;

// The sheet's callback: PSCB_INITIALIZED once the sheet and its first page
// are made (where programs make the sheet full-screen).
inline constexpr UINT PSCB_INITIALIZED = 1;
inline constexpr UINT PSCB_PRECREATE = 2;
using PFNPROPSHEETCALLBACK = std::function<int(HWND sheet, UINT message, LPARAM lparam)>;

struct PROPSHEETHEADER {
  DWORD dwSize = sizeof(PROPSHEETHEADER);
  DWORD dwFlags = PSH_PROPSHEETPAGE;
  HWND hwndParent = nullptr;
  HINSTANCE hInstance = nullptr;
  std::string pszCaption;
  UINT nPages = 0;
  UINT nStartPage = 0;
  const PROPSHEETPAGE* ppsp = nullptr;
  PFNPROPSHEETCALLBACK pfnCallback;
};

// Modal: 1 when the sheet closed with OK, 0 with Cancel, -1 (with the last
// error) when it or its first page could not be made. With PSH_MODELESS
// the sheet's window is returned at once (0 on failure); the program's loop
// passes messages through IsDialogMessage.
INT_PTR PropertySheet(const PROPSHEETHEADER* header);

// Notification codes.
inline constexpr UINT PSN_FIRST = static_cast<UINT>(-200);
inline constexpr UINT PSN_SETACTIVE = PSN_FIRST - 0;
inline constexpr UINT PSN_KILLACTIVE = PSN_FIRST - 1;
inline constexpr UINT PSN_APPLY = PSN_FIRST - 2;
inline constexpr UINT PSN_RESET = PSN_FIRST - 3;
inline constexpr UINT PSN_HELP = PSN_FIRST - 5;
inline constexpr UINT PSN_QUERYCANCEL = PSN_FIRST - 9;

inline constexpr LRESULT PSNRET_NOERROR = 0;
inline constexpr LRESULT PSNRET_INVALID = 1;
inline constexpr LRESULT PSNRET_INVALID_NOCHANGEPAGE = 2;

struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam = 0;
};

// Messages to the sheet.
inline constexpr UINT PSM_SETCURSEL = WM_USER + 101;  // wParam: the page's index
inline constexpr UINT PSM_CHANGED = WM_USER + 104;    // wParam: the page
inline constexpr UINT PSM_CANCELTOCLOSE = WM_USER + 107;
inline constexpr UINT PSM_UNCHANGED = WM_USER + 109;
inline constexpr UINT PSM_SETTITLE = WM_USER + 111;  // lParam: const char*
inline constexpr UINT PSM_PRESSBUTTON = WM_USER + 113;
inline constexpr UINT PSM_GETCURRENTPAGEHWND = WM_USER + 118;
inline constexpr UINT PSM_INDEXTOHWND = WM_USER + 130;  // null for a page not yet made

inline constexpr WPARAM PSBTN_OK = 3;
inline constexpr WPARAM PSBTN_CANCEL = 5;

// The height of the tab row along the sheet's bottom.
inline constexpr int kPropertySheetTabHeight = 22;

}  // namespace platform
