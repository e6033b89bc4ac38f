// Which overlay bitmaps the preview shows for the current settings, mode,
// zoom and capture state, and where: each at its natural size, black
// transparent.
#pragma once

#include <array>
#include <cstddef>

namespace camera {

struct OverlayPlacement {
  int id = 0;
  int x = 0;
  int y = 0;
};

// At most one of each kind; no allocation.
struct OverlayList {
  std::array<OverlayPlacement, 10> items{};
  std::size_t count = 0;
  void Add(int id, int x, int y) { items[count++] = {id, x, y}; }
  const OverlayPlacement* begin() const { return items.data(); }
  const OverlayPlacement* end() const { return items.data() + count; }
};

// The framing aid: the centre mark, or the business-card frame for the
// stream size.
OverlayPlacement FramingOverlay();
// Everything that depends only on the settings and the zoom level (what is
// loaded again after the settings sheet).
OverlayList SettingsOverlays();
// The whole table in drawing order. `clip_step` picks the recording
// indicator's phase (0, 1, 2).
OverlayList PreviewOverlays(int clip_step);

}  // namespace camera
