// A display other than the handheld's own screen, as the drawing contexts
// made on it see it: its pixels and mode, and whether it has been lost
// (a mode change or unplugging) since they were made.
#pragma once

#include <atomic>
#include <memory>

#include "gdi/surface.h"
#include "platform/external_display.h"

namespace platform::gdi {

struct DisplayDevice {
  DisplayDevice(DisplayMode display_mode, std::shared_ptr<Surface> pixels)
      : mode(display_mode), surface(std::move(pixels)) {}
  const DisplayMode mode;
  const std::shared_ptr<Surface> surface;
  std::atomic<bool> lost{false};
};

}  // namespace platform::gdi
