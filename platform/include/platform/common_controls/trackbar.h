// Trackbar: a thumb on a channel that picks a position in a range. It
// reports to its parent with WM_HSCROLL (WM_VSCROLL when vertical):
// wParam = MAKEWPARAM(code, position), lParam = the trackbar's handle.
#pragma once

#include "platform/messages.h"
#include "platform/window.h"

namespace platform {

inline constexpr char TRACKBAR_CLASS[] = "msctls_trackbar32";

inline constexpr DWORD TBS_AUTOTICKS = 0x0001;
inline constexpr DWORD TBS_VERT = 0x0002;
inline constexpr DWORD TBS_HORZ = 0x0000;
inline constexpr DWORD TBS_TOP = 0x0004;
inline constexpr DWORD TBS_BOTTOM = 0x0000;
inline constexpr DWORD TBS_LEFT = 0x0004;
inline constexpr DWORD TBS_RIGHT = 0x0000;
inline constexpr DWORD TBS_BOTH = 0x0008;
inline constexpr DWORD TBS_NOTICKS = 0x0010;
inline constexpr DWORD TBS_ENABLESELRANGE = 0x0020;
inline constexpr DWORD TBS_FIXEDLENGTH = 0x0040;
inline constexpr DWORD TBS_NOTHUMB = 0x0080;

inline constexpr UINT TBM_GETPOS = WM_USER;
inline constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
inline constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
inline constexpr UINT TBM_SETPOS = WM_USER + 5;        // wParam redraw, lParam position
inline constexpr UINT TBM_SETRANGE = WM_USER + 6;      // lParam MAKELONG(min, max)
inline constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;   // lParam min
inline constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;   // lParam max
inline constexpr UINT TBM_SETPAGESIZE = WM_USER + 21;  // lParam size; the old size
inline constexpr UINT TBM_GETPAGESIZE = WM_USER + 22;
inline constexpr UINT TBM_SETLINESIZE = WM_USER + 23;  // lParam size; the old size
inline constexpr UINT TBM_GETLINESIZE = WM_USER + 24;
inline constexpr UINT TBM_GETTHUMBRECT = WM_USER + 25;    // lParam RECT*
inline constexpr UINT TBM_GETCHANNELRECT = WM_USER + 26;  // lParam RECT*

// Notification codes in the low word of WM_HSCROLL / WM_VSCROLL.
inline constexpr WORD TB_LINEUP = 0;
inline constexpr WORD TB_LINEDOWN = 1;
inline constexpr WORD TB_PAGEUP = 2;
inline constexpr WORD TB_PAGEDOWN = 3;
inline constexpr WORD TB_THUMBPOSITION = 4;
inline constexpr WORD TB_THUMBTRACK = 5;
inline constexpr WORD TB_TOP = 6;
inline constexpr WORD TB_BOTTOM = 7;
inline constexpr WORD TB_ENDTRACK = 8;

}  // namespace platform
