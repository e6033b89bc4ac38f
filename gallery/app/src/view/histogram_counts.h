// The histogram's counting and drawing geometry, apart from its window:
// 64 bins per channel over 24-bit pixels (blue, green, red), skipping the
// pane's background colour when the picture is framed by it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gdi_types.h"

namespace gallery {

inline constexpr int kHistogramBins = 64;
inline constexpr int kHistogramWidth = 64;
inline constexpr int kHistogramHeight = 38;

struct HistogramCounts {
  // Red, green, blue in that order.
  std::array<std::array<std::uint32_t, kHistogramBins>, 3> channels{};
};

// Counts `pixels` (3 bytes each). When the first pixel has the key colour,
// every pixel of that colour is left out: the pane's margins around a
// letter-boxed picture are not part of it.
HistogramCounts CountHistogram(std::span<const std::uint8_t> pixels, platform::COLORREF key);

// The polyline of one channel in a `width` x `height` control: point i at
// (i (W-1) / 63, H - 1 - count_i (H-1) / max), max at least 1.
std::array<platform::POINT, kHistogramBins> HistogramLine(
    const std::array<std::uint32_t, kHistogramBins>& counts, int width, int height);

}  // namespace gallery
