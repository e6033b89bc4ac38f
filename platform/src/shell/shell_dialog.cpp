// The shell's dialog initialisation.
#include "platform/shell_dialog.h"

#include "platform/last_error.h"
#include "platform/menu_bar.h"
#include "platform/shell_state.h"

namespace platform {

namespace {

// Where SHInitDialog puts the dialog, by its flags; nothing when it keeps
// its size.
std::optional<RECT> FullScreenRect(DWORD flags) {
  RECT rect = shell::WorkArea();
  if (flags & SHIDIF_FULLSCREENNOMENUBAR) return rect;
  if (!(flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN))) return std::nullopt;
  rect.bottom -= shell::kMenuBarHeight;
  // SHIDIF_SIZEDLG leaves room for a raised input panel.
  if ((flags & SHIDIF_SIZEDLG) && !(flags & SHIDIF_SIZEDLGFULLSCREEN) && shell::InputPanelShown() &&
      !(flags & SHIDIF_SIPDOWN)) {
    rect.bottom = shell::kInputPanelRect.top;
  }
  return rect;
}

}  // namespace

BOOL SHInitDialog(SHINITDLGINFO* info) {
  if (!info || !(info->dwMask & SHIDIM_FLAGS) || !IsWindow(info->hDlg)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const DWORD flags = info->dwFlags;
  if (flags & SHIDIF_SIPDOWN) SipShowIM(SIPF_OFF);
  if (std::optional<RECT> rect = FullScreenRect(flags)) {
    SetWindowPos(info->hDlg, nullptr, rect->left, rect->top, rect->right - rect->left,
                 rect->bottom - rect->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SHDoneButton(info->hDlg, (flags & SHIDIF_DONEBUTTON) ? SHDB_SHOW : SHDB_HIDE);
  if (flags & SHIDIF_EMPTYMENU) {
    SHMENUBARINFO bar;
    bar.hwndParent = info->hDlg;
    bar.dwFlags = SHCMBF_EMPTYBAR;
    SHCreateMenuBar(&bar);
  }
  return TRUE;
}

}  // namespace platform
