// The overlay bitmaps of the preview: loaded from the application's module
// by id whenever the settings may have changed.
#pragma once

namespace camera {

// Loads the bitmaps the current settings and mode show (at start-up and
// after the settings sheet).
void LoadOverlayBitmaps();
// The mode switch: the centre mark (Video) or the business-card frame for
// the stream size (Still, when `business card` is on).
void LoadFramingOverlay();
// Frees every overlay bitmap (the main dialog's destroy path).
void ReleaseOverlayBitmaps();

}  // namespace camera
