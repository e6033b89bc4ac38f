// SetScrollInfo and its friends: SB_CTL asks the scroll bar control with
// its SBM_* messages, SB_VERT and SB_HORZ keep the numbers of the window's
// own bars and have the window redrawn.
#include "controls/scroll_info_store.h"
#include "platform/last_error.h"
#include "platform/window_paint.h"

namespace platform {

using controls::ScrollInfoStore;

namespace {

bool ValidBar(HWND hwnd, int bar) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (bar != SB_CTL && bar != SB_VERT && bar != SB_HORZ) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

DWORD BarStyle(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

}  // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (!info || !ValidBar(hwnd, bar)) return 0;
  if (bar == SB_CTL) {
    return static_cast<int>(
        SendMessage(hwnd, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
  }
  const int position = ScrollInfoStore::Get().Set(hwnd, bar, *info);
  if (redraw) InvalidateRect(hwnd, nullptr, FALSE);
  return position;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  if (!info || !ValidBar(hwnd, bar)) return FALSE;
  if (bar == SB_CTL) {
    return SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) ? TRUE : FALSE;
  }
  ScrollInfoStore& store = ScrollInfoStore::Get();
  const bool styled = (GetWindowLong(hwnd, GWL_STYLE) & BarStyle(bar)) != 0;
  if (!styled && !store.Known(hwnd, bar)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  store.Model(hwnd, bar).Get(*info);
  return TRUE;
}

int GetScrollPos(HWND hwnd, int bar) {
  SCROLLINFO info;
  info.fMask = SIF_POS;
  return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw) {
  const int previous = GetScrollPos(hwnd, bar);
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = position;
  SetScrollInfo(hwnd, bar, &info, redraw);
  return previous;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw) {
  if (!ValidBar(hwnd, bar)) return FALSE;
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  info.nMin = minimum;
  info.nMax = maximum;
  SetScrollInfo(hwnd, bar, &info, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minimum, int* maximum) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  if (!GetScrollInfo(hwnd, bar, &info)) return FALSE;
  if (minimum) *minimum = info.nMin;
  if (maximum) *maximum = info.nMax;
  return TRUE;
}

}  // namespace platform
