#include "histogram_counts.h"

#include <algorithm>

namespace gallery {

HistogramCounts CountHistogram(std::span<const std::uint8_t> pixels, platform::COLORREF key) {
  HistogramCounts counts;
  const std::uint8_t key_blue = platform::GetBValue(key);
  const std::uint8_t key_green = platform::GetGValue(key);
  const std::uint8_t key_red = platform::GetRValue(key);
  auto is_key = [&](const std::uint8_t* pixel) {
    return pixel[0] == key_blue && pixel[1] == key_green && pixel[2] == key_red;
  };
  const std::size_t count = pixels.size() / 3;
  if (count == 0) return counts;
  const bool skip_key = is_key(pixels.data());
  for (std::size_t index = 0; index < count; ++index) {
    const std::uint8_t* pixel = pixels.data() + index * 3;
    if (skip_key && is_key(pixel)) continue;
    ++counts.channels[0][pixel[2] / 4];
    ++counts.channels[1][pixel[1] / 4];
    ++counts.channels[2][pixel[0] / 4];
  }
  return counts;
}

std::array<platform::POINT, kHistogramBins> HistogramLine(
    const std::array<std::uint32_t, kHistogramBins>& counts, int width, int height) {
  const std::int64_t most =
      std::max<std::int64_t>(1, *std::max_element(counts.begin(), counts.end()));
  std::array<platform::POINT, kHistogramBins> line;
  for (int bin = 0; bin < kHistogramBins; ++bin) {
    const std::int64_t rise =
        counts[static_cast<std::size_t>(bin)] * std::int64_t{height - 1} / most;
    line[static_cast<std::size_t>(bin)] = {
        static_cast<platform::LONG>(bin * (width - 1) / (kHistogramBins - 1)),
        static_cast<platform::LONG>(height - 1 - rise)};
  }
  return line;
}

}  // namespace gallery
