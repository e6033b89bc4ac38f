// Starting programs and opening documents through the shell.
#pragma once

#include <cstdint>
#include <string>

#include "platform/programs.h"
#include "platform/window.h"

namespace platform {

using ULONG = std::uint32_t;

inline constexpr ULONG SEE_MASK_NOCLOSEPROCESS = 0x00000040;
inline constexpr ULONG SEE_MASK_FLAG_NO_UI = 0x00000400;

// hInstApp's values: above 32 is success.
inline constexpr UINT_PTR SE_ERR_FNF = 2;
inline constexpr UINT_PTR SE_ERR_NOASSOC = 31;
inline constexpr UINT_PTR kShellExecuteSucceeded = 33;

inline constexpr DWORD ERROR_NO_ASSOCIATION = 1155;

struct SHELLEXECUTEINFO {
  DWORD cbSize = sizeof(SHELLEXECUTEINFO);
  ULONG fMask = 0;
  HWND hwnd = nullptr;  // the owner window (for the started program's sake)
  std::string lpVerb;   // empty or "open"
  std::string lpFile;   // a program ("beam.exe", "\Windows\pmail.exe") or a document
  std::string lpParameters;
  std::string lpDirectory;
  int nShow = SW_SHOWNORMAL;
  UINT_PTR hInstApp = 0;   // kShellExecuteSucceeded, SE_ERR_FNF or SE_ERR_NOASSOC
  ProcessHandle hProcess;  // with SEE_MASK_NOCLOSEPROCESS
};

// A program (a name or path ending in ".exe", or without an extension) is
// started with lpParameters as its command line. A document is opened with
// the program its extension is registered with in HKEY_CLASSES_ROOT
// (".jpg" -> class -> "Shell\Open\Command", whose "%1" becomes the
// document's path). FALSE with the last error (ERROR_FILE_NOT_FOUND,
// ERROR_NO_ASSOCIATION) when nothing could be started, after a message box
// owned by hwnd that says so, unless fMask holds SEE_MASK_FLAG_NO_UI.
BOOL ShellExecuteEx(SHELLEXECUTEINFO* info);

}  // namespace platform
