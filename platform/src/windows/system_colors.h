// Colours the window system draws with itself.
#pragma once

#include "platform/gdi_types.h"

namespace platform::windows {

inline constexpr COLORREF kDesktopColor = RGB(0, 0, 0);
inline constexpr COLORREF kBorderColor = RGB(0, 0, 0);
inline constexpr COLORREF kTaskBarColor = RGB(0, 0, 128);
inline constexpr COLORREF kTaskBarTextColor = RGB(255, 255, 255);
inline constexpr COLORREF kInputPanelColor = RGB(192, 192, 192);
inline constexpr COLORREF kDialogColor = RGB(255, 255, 255);
inline constexpr COLORREF kButtonFaceColor = RGB(224, 224, 224);
inline constexpr COLORREF kTextColor = RGB(0, 0, 0);

}  // namespace platform::windows
