// The browser's children at their fixed places in its 240-pixel-wide
// client area, and the window classes of the pane, the cells and the
// histogram.
#pragma once

#include "platform/gdi_types.h"
#include "platform/window.h"

namespace gallery {

inline constexpr int kPreviewPane = 1110;
inline constexpr int kThumbnailScrollBar = 1111;
inline constexpr int kHistogram = 1112;
inline constexpr int kNameLabel = 1107;
inline constexpr int kDateLabel = 1108;
inline constexpr int kFirstCell = 1200;
inline constexpr int kCells = 6;

// Label 1107's background while it holds text.
inline constexpr platform::COLORREF kNameLabelColour = platform::RGB(200, 208, 216);

// Creates the children in their order; false when one cannot be made.
bool CreateBrowserChildren(platform::HWND browser, platform::HINSTANCE instance);

// Shows the histogram when the General option asks for it.
void ShowHistogram(platform::HWND browser, bool shown);

}  // namespace gallery
