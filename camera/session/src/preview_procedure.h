// The preview window's two jobs besides its life cycle: the frame pump and
// the paint.
#pragma once

#include "platform/messages.h"

namespace camera {

// One WM_SIO_FRAME_READY: count it, fetch the frame, decode it, hand it on.
void PumpFrame();
// WM_PAINT: the picture with its overlays and texts, double-buffered.
void PaintPreview(platform::HWND hwnd);

}  // namespace camera
