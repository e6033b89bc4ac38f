// Registering the common control classes. Each class exists once per
// handheld; registering again is harmless.
#pragma once

#include "platform/types.h"

namespace platform {

inline constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
inline constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
inline constexpr DWORD ICC_BAR_CLASSES = 0x00000004;  // toolbar, trackbar
inline constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
inline constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
inline constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
inline constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
inline constexpr DWORD ICC_DATE_CLASSES = 0x00000100;
inline constexpr DWORD ICC_COOL_CLASSES = 0x00000400;

struct INITCOMMONCONTROLSEX {
  DWORD dwSize = sizeof(INITCOMMONCONTROLSEX);
  DWORD dwICC = 0;
};

// Registers the classes the flags name; FALSE for a bad record or when a
// class could not be registered.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
// Registers every common control class.
void InitCommonControls();

}  // namespace platform
