// Notifications that controls send to their parent with WM_NOTIFY: every
// record starts with NMHDR (sender, its id, the code). Codes are negative,
// in ranges per control family as the handheld numbers them.
#pragma once

#include "platform/window.h"

namespace platform {

struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

// Code ranges (as UINT: the codes are negative numbers).
inline constexpr UINT NM_FIRST = 0u;
inline constexpr UINT LVN_FIRST = static_cast<UINT>(-100);
inline constexpr UINT LVN_LAST = static_cast<UINT>(-199);
inline constexpr UINT TVN_FIRST = static_cast<UINT>(-400);
inline constexpr UINT TVN_LAST = static_cast<UINT>(-499);
inline constexpr UINT TBN_FIRST = static_cast<UINT>(-700);
inline constexpr UINT TBN_LAST = static_cast<UINT>(-720);

// Codes every control may send.
inline constexpr UINT NM_OUTOFMEMORY = NM_FIRST - 1;
inline constexpr UINT NM_CLICK = NM_FIRST - 2;
inline constexpr UINT NM_DBLCLK = NM_FIRST - 3;
inline constexpr UINT NM_RETURN = NM_FIRST - 4;
inline constexpr UINT NM_RCLICK = NM_FIRST - 5;
inline constexpr UINT NM_SETFOCUS = NM_FIRST - 7;
inline constexpr UINT NM_KILLFOCUS = NM_FIRST - 8;
// Sent when the stylus goes down on an item, before the control watches for
// tap-and-hold; a parent that returns TRUE refuses the gesture.
inline constexpr UINT NM_RECOGNIZEGESTURE = NM_FIRST - 16;

// The shell's gesture notification: the stylus was held on the point (the
// context-menu gesture). dwItemSpec names the item held.
inline constexpr UINT GN_CONTEXTMENU = 1000;
struct NMRGINFO {
  NMHDR hdr;
  POINT ptAction;  // screen coordinates
  DWORD dwItemSpec = 0;
};

// Gesture timing of the handheld's stylus, measured on the handheld's clock.
// Two taps within this time and distance make a double tap.
inline constexpr DWORD kDoubleTapTimeMs = 500;
inline constexpr int kDoubleTapDistance = 8;
// Holding the stylus still this long is tap-and-hold.
inline constexpr DWORD kTapAndHoldTimeMs = 800;

}  // namespace platform
