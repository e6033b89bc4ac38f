// The histogram control (1112, class "Histogram", 64 x 38): red, green and
// blue curves of the pane's picture on a pale yellow ground.
#pragma once

#include <cstdint>
#include <span>

#include "platform/gdi_types.h"
#include "platform/window.h"

namespace gallery {

inline constexpr platform::COLORREF kHistogramBackground = platform::RGB(255, 255, 127);

// Counts `pixels` (key colour skipped when the first pixel has it), draws
// the three curves and repaints the control.
void ComputeHistogram(platform::HWND browser, std::span<const std::uint8_t> pixels,
                      platform::COLORREF key);
// The ground alone.
void ClearHistogram(platform::HWND browser);

}  // namespace gallery
