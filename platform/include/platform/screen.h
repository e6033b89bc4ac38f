// The handheld's 240x320 screen as the window system composes it: what the
// emulator shows, screenshots and tests read.
#pragma once

#include <cstdint>
#include <filesystem>

#include "platform/gdi_surface.h"

namespace platform::screen {

inline constexpr int kWidth = 240, kHeight = 320;

// Paints what is invalid and composes the 240x320 screen (RGB565), wait
// cursor drawn on top. The surface stays valid until the next call.
const gdi::Surface& Compose();
// Compose() then writes it as a PNG file.
bool SaveScreenshot(const std::filesystem::path& png);
// Grows whenever the screen may have changed.
std::uint64_t ChangeCount();
bool WaitCursorShown();

}  // namespace platform::screen
