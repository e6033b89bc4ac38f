// The shell's change notifications for windows: a registered window gets
// WM_FILECHANGEINFO for every change of the file layer in the folder it
// watches, with a record that it frees with SHChangeNotifyFree.
#pragma once

#include <string>

#include "platform/change_notify.h"
#include "platform/shell_execute.h"  // ULONG
#include "platform/window.h"

namespace platform {

// wParam 0, lParam the FILECHANGENOTIFY record.
inline constexpr UINT WM_FILECHANGEINFO = WM_APP + 0x0101;

// FILECHANGEINFO's uFlags: the items are paths.
inline constexpr ULONG SHCNF_PATH = 0x0001;

struct SHCHANGENOTIFYENTRY {
  LONG dwEventMask = SHCNE_ALLEVENTS;  // SHCNE_* bits
  std::string pszWatchDir;             // empty: every folder
  BOOL fRecursive = TRUE;              // its subfolders too
};

struct FILECHANGEINFO {
  DWORD cbSize = sizeof(FILECHANGEINFO);
  LONG wEventId = 0;
  ULONG uFlags = SHCNF_PATH;
  // The item's path; for a rename the old path here and the new one in
  // dwItem2.
  std::string dwItem1;
  std::string dwItem2;
  DWORD dwAttributes = 0;  // of the item as it is now (0 when gone)
  FILETIME ftModified;     // its last write time
  ULONG nFileSize = 0;
};

struct FILECHANGENOTIFY {
  DWORD dwRefCount = 1;
  FILECHANGEINFO fci;
};

// Registers (or re-registers) the window; FALSE for a window that does not
// exist or without an entry.
BOOL SHChangeNotifyRegister(HWND hwnd, const SHCHANGENOTIFYENTRY* entry);
// FALSE when the window was not registered.
BOOL SHChangeNotifyDeregister(HWND hwnd);
// Frees a record the window received; records never freed go when the
// handheld shuts down. FALSE for a record that is not outstanding.
BOOL SHChangeNotifyFree(FILECHANGENOTIFY* notify);

}  // namespace platform
