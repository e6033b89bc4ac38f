// The zoom view's overview (class "Overview", control 1001): the whole
// picture in a 100 x 100 box at the view's bottom-right corner with the
// visible part outlined in amber. It shows while the visible part changes
// and hides itself two seconds after; taps on it move the view there.
#pragma once

#include "picture_surface.h"
#include "platform/gdi_types.h"
#include "platform/window.h"

namespace gallery {

inline constexpr int kOverviewId = 1001;
inline constexpr int kOverviewBox = 100;

// Made shown, with its hide timer running; null when it cannot be made.
platform::HWND CreateOverview(platform::HWND view, platform::HINSTANCE instance);
// A small copy of `picture` (of `width` x `height`), the inset resized to
// it in the bottom-right corner of its box.
void SetOverviewPicture(platform::HWND overview, const PictureSurface& picture);
// Outlines `visible` (picture pixels): the inset hides when that is the
// whole picture, else it shows and its hide timer starts again.
void UpdateOverviewRectangle(platform::HWND overview, const platform::RECT& visible);
void HideOverview(platform::HWND overview);

}  // namespace gallery
