// The shell's dialog initialisation: a dialog made to fill the screen the
// handheld's way, with the OK ("Done") button at the right of the task bar.
#pragma once

#include "platform/window.h"

namespace platform {

inline constexpr DWORD SHIDIM_FLAGS = 0x0001;

// Shows the Done button in the task bar while the dialog is active; a tap
// on it sends the dialog WM_COMMAND IDOK.
inline constexpr DWORD SHIDIF_DONEBUTTON = 0x0001;
// Sizes the dialog to the work area less the menu bar (and less the input
// panel while it is raised).
inline constexpr DWORD SHIDIF_SIZEDLG = 0x0002;
// Sizes the dialog to the work area less the menu bar.
inline constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004;
// Lowers the input panel.
inline constexpr DWORD SHIDIF_SIPDOWN = 0x0008;
// Sizes the dialog to the whole work area: there is no menu bar.
inline constexpr DWORD SHIDIF_FULLSCREENNOMENUBAR = 0x0010;
// Gives the dialog an empty menu bar.
inline constexpr DWORD SHIDIF_EMPTYMENU = 0x0020;

struct SHINITDLGINFO {
  DWORD dwMask = SHIDIM_FLAGS;
  HWND hDlg = nullptr;
  DWORD dwFlags = 0;
};

// FALSE (ERROR_INVALID_PARAMETER) without a record or a window.
BOOL SHInitDialog(SHINITDLGINFO* info);

inline constexpr DWORD SHDB_SHOW = 0x0001;
inline constexpr DWORD SHDB_HIDE = 0x0002;
// Shows or hides the Done button of the window's top-level window.
BOOL SHDoneButton(HWND hwnd, DWORD state);

}  // namespace platform
