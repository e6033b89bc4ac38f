// The preview pane (control 1110, class "Preview"): a 240 x 180 surface
// holding the current picture fitted and centred on the pane's blue, drawn
// only on the user-interface thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "imaging/qximglib.h"
#include "platform/gdi_types.h"
#include "platform/window.h"

namespace gallery {

inline constexpr int kPaneWidth = 240;
inline constexpr int kPaneHeight = 180;
inline constexpr platform::COLORREF kPaneBackground = platform::RGB(107, 161, 196);

// Loads `path` into the pane: a clip through the plug-in's thumbnail (the
// information stays zero), any other file through the imaging library.
// False, with the pane cleared, when it cannot be read.
bool LoadPreviewPane(platform::HWND browser, const std::string& path, imaging::ImageInfo* info);
void ClearPreviewPane(platform::HWND browser);
// The pane's pixels, 3 bytes each, empty before the pane has a surface.
std::span<const std::uint8_t> PreviewPanePixels();
// Lets the surface go (the browser is closing).
void ReleasePreviewPane();

}  // namespace gallery
