// Scroll bars: the "SCROLLBAR" control (SB_CTL) and a window's own bars
// (SB_VERT, SB_HORZ) of its WS_VSCROLL and WS_HSCROLL styles. A bar has a
// range, a page (the visible part, which makes the thumb's length) and a
// position between nMin and nMax - nPage + 1. Taps on its arrows and page
// areas and drags of its thumb send WM_VSCROLL or WM_HSCROLL (low word the
// SB_* code, high word the position for SB_THUMBTRACK and SB_THUMBPOSITION,
// lParam the control, or 0 for a window's own bar) to the control's parent
// or to the window itself; the receiver moves the position.
#pragma once

#include "platform/window.h"

namespace platform {

inline constexpr DWORD SBS_HORZ = 0x0000;
inline constexpr DWORD SBS_VERT = 0x0001;

inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;

// Scroll requests (WM_VSCROLL / WM_HSCROLL low word).
inline constexpr WORD SB_LINEUP = 0;
inline constexpr WORD SB_LINELEFT = 0;
inline constexpr WORD SB_LINEDOWN = 1;
inline constexpr WORD SB_LINERIGHT = 1;
inline constexpr WORD SB_PAGEUP = 2;
inline constexpr WORD SB_PAGELEFT = 2;
inline constexpr WORD SB_PAGEDOWN = 3;
inline constexpr WORD SB_PAGERIGHT = 3;
inline constexpr WORD SB_THUMBPOSITION = 4;
inline constexpr WORD SB_THUMBTRACK = 5;
inline constexpr WORD SB_TOP = 6;
inline constexpr WORD SB_LEFT = 6;
inline constexpr WORD SB_BOTTOM = 7;
inline constexpr WORD SB_RIGHT = 7;
inline constexpr WORD SB_ENDSCROLL = 8;

inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;  // where the thumb is while it is dragged
};

// Messages of the control (SetScrollInfo and friends send these for SB_CTL).
inline constexpr UINT SBM_SETPOS = 0x00E0;  // wParam pos, lParam redraw; the old pos
inline constexpr UINT SBM_GETPOS = 0x00E1;
inline constexpr UINT SBM_SETRANGE = 0x00E2;  // wParam min, lParam max
inline constexpr UINT SBM_GETRANGE = 0x00E3;  // wParam int* min, lParam int* max
inline constexpr UINT SBM_SETRANGEREDRAW = 0x00E6;
inline constexpr UINT SBM_SETSCROLLINFO = 0x00E9;  // wParam redraw, lParam SCROLLINFO*
inline constexpr UINT SBM_GETSCROLLINFO = 0x00EA;  // lParam SCROLLINFO*

// The members fMask names are set; the position is kept inside the range.
// Returns the position after the change.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
// Fills the members fMask names; FALSE when the window has no such bar.
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
// The previous position.
int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* minimum, int* maximum);

}  // namespace platform
