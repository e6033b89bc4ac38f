// The overlay bitmaps by resource id, loaded from the application's module
// on first use and kept until the settings may have changed.
#pragma once

#include <map>

#include "gdi_object.h"
#include "platform/gdi.h"
#include "platform/modules.h"

namespace camera {

class OverlayBitmaps {
 public:
  explicit OverlayBitmaps(platform::HINSTANCE instance) : instance_(instance) {}

  // The bitmap, loaded when first asked for; null when the module has none.
  platform::HBITMAP Get(int id);
  void Clear() { bitmaps_.clear(); }

 private:
  platform::HINSTANCE instance_;
  std::map<int, GdiObject<platform::HBITMAP>> bitmaps_;
};

// The running application's bitmaps (made on first use).
OverlayBitmaps& Overlays();

}  // namespace camera
