// The histogram's bins against counts made here pixel by pixel, the key
// colour's margins, and the curves' points.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "view/histogram_counts.h"
#include "view/preview_pane.h"

namespace gallery {
namespace {

std::vector<std::uint8_t> Pixels(std::initializer_list<platform::COLORREF> colours) {
  std::vector<std::uint8_t> bytes;
  for (platform::COLORREF colour : colours) {
    bytes.push_back(platform::GetBValue(colour));
    bytes.push_back(platform::GetGValue(colour));
    bytes.push_back(platform::GetRValue(colour));
  }
  return bytes;
}

TEST(HistogramTest, BinsMatchCountsMadeOneByOne) {
  std::mt19937 random(7);
  std::vector<std::uint8_t> pixels(240 * 180 * 3);
  for (auto& byte : pixels) byte = static_cast<std::uint8_t>(random());
  pixels[0] = pixels[1] = pixels[2] = 0;  // the first pixel is not the key
  const HistogramCounts counts = CountHistogram(pixels, kPaneBackground);
  std::uint32_t expected[3][64] = {};
  for (std::size_t i = 0; i < pixels.size(); i += 3) {
    expected[0][pixels[i + 2] >> 2]++;
    expected[1][pixels[i + 1] >> 2]++;
    expected[2][pixels[i] >> 2]++;
  }
  for (int channel = 0; channel < 3; ++channel) {
    std::uint32_t total = 0;
    for (int bin = 0; bin < 64; ++bin) {
      EXPECT_EQ(counts.channels[channel][bin], expected[channel][bin]) << channel << "/" << bin;
      total += counts.channels[channel][bin];
    }
    EXPECT_EQ(total, 240u * 180u);
  }
}

TEST(HistogramTest, TheKeyColourIsSkippedOnlyWhenItFramesThePicture) {
  const platform::COLORREF key = kPaneBackground;
  const platform::COLORREF red = platform::RGB(255, 0, 0);
  const HistogramCounts framed = CountHistogram(Pixels({key, red, key, red, key}), key);
  EXPECT_EQ(framed.channels[0][63], 2u);  // the two red pixels only
  EXPECT_EQ(framed.channels[1][0], 2u);
  EXPECT_EQ(framed.channels[2][161 / 4], 0u);

  const HistogramCounts unframed = CountHistogram(Pixels({red, key, key}), key);
  EXPECT_EQ(unframed.channels[0][63], 1u);
  EXPECT_EQ(unframed.channels[0][107 / 4], 2u);
  EXPECT_EQ(unframed.channels[1][161 / 4], 2u);
  EXPECT_EQ(unframed.channels[2][196 / 4], 2u);
}

TEST(HistogramTest, CurvesSpanTheControlAndPeakAtTheTop) {
  std::array<std::uint32_t, 64> counts{};
  counts[10] = 40;
  counts[63] = 20;
  const auto line = HistogramLine(counts, 64, 38);
  EXPECT_EQ(line[0], (platform::POINT{0, 37}));
  EXPECT_EQ(line[10], (platform::POINT{10, 0}));
  EXPECT_EQ(line[63], (platform::POINT{63, 37 - 20 * 37 / 40}));
  // An empty channel lies on the bottom line (the maximum counts as 1).
  const auto flat = HistogramLine({}, 64, 38);
  EXPECT_EQ(flat[32].y, 37);
}

}  // namespace
}  // namespace gallery
