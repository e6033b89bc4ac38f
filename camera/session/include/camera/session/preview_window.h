// The preview window "KavCameraVideoWindow": a 240x180 child of the main
// dialog at its top left that receives the driver's frame messages and
// paints the picture with its overlays.
#pragma once

#include "camera/session/camera_state.h"
#include "platform/gdi_types.h"
#include "platform/messages.h"
#include "platform/modules.h"

namespace camera {

inline constexpr char kPreviewWindowClass[] = "KavCameraVideoWindow";

// Rectangles of the preview's texts (window coordinates).
inline constexpr platform::RECT kCountRect{180, 0, kPreviewWidth, 20};
inline constexpr platform::RECT kSizeLabelRect{165, 34, kPreviewWidth, 48};
inline constexpr platform::RECT kFrameRateRect{165, 50, kPreviewWidth, 70};
inline constexpr platform::RECT kReviewHintRect{0, 156, 200, 180};

// Registers the class (once per instance) and creates the window; it makes
// its bold font, back buffer and decoder context. Null on failure.
platform::HWND CreatePreviewWindow(platform::HWND main_window, platform::HINSTANCE instance);

// Asks for a repaint of the whole preview.
void InvalidatePreview();

}  // namespace camera
