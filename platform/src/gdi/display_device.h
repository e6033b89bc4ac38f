// A display other than the handheld's own screen, as the drawing contexts
// made on it see it: its pixels and mode, and whether it has been lost
// (a mode change or unplugging) since they were made.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "gdi/surface.h"
#include "platform/external_display.h"

namespace platform::gdi {

struct DisplayDevice {
  DisplayDevice(DisplayMode display_mode, std::shared_ptr<Surface> pixels)
      : mode(display_mode), surface(std::move(pixels)) {}
  const DisplayMode mode;
  const std::shared_ptr<Surface> surface;
  std::atomic<bool> lost{false};
  // Held by every drawing call on a context of this display (FindContext
  // hands the context out with it) and by whoever copies the pixels, so a
  // copy never sees half a drawing. Recursive: one call may find two
  // contexts of the same display (a blit from a compatible memory context).
  std::recursive_mutex drawing;
};

}  // namespace platform::gdi
