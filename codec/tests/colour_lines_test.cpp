// The line converters and the three-quarter gathers against the colour tables
// and the sample rules applied one pixel at a time: identical bytes, whatever
// vector form the processor runs.
#include "colour_lines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "code_paths.h"
#include "colour_tables.h"
#include "pixel_formats.h"
#include "three_quarter_lines.h"

namespace codec {
namespace {

// Eight groups of 32 pixels, one of 16 and a scalar tail of 5, so that every
// width of every path runs.
constexpr int kLine = 277;

template <class Pixel, int kHShift>
void ExpectLinesMatchTables() {
  const int chroma_count = (kLine >> kHShift) + 1;
  std::vector<uint8_t> y(kLine), cb(chroma_count), cr(chroma_count);
  std::vector<uint8_t> ours(kLine * Pixel::kBytes), expected(kLine * Pixel::kBytes);
  for (int blue_chroma = 0; blue_chroma < 256; ++blue_chroma) {
    for (int offset : {0, 97, 181}) {
      for (int x = 0; x < kLine; ++x) y[x] = static_cast<uint8_t>(x * 37 + blue_chroma + offset);
      for (int i = 0; i < chroma_count; ++i) {
        cb[i] = static_cast<uint8_t>(blue_chroma + i * (offset & 1));
        cr[i] = static_cast<uint8_t>(i + offset);
      }
      ColourLine<Pixel, kHShift>(y.data(), cb.data(), cr.data(), kLine, ours.data());
      for (int x = 0; x < kLine; ++x) {
        Pixel::Put(expected.data() + x * Pixel::kBytes, kColour.luma[y[x]],
                   TermsOf(cb[x >> kHShift], cr[x >> kHShift]));
      }
      ASSERT_EQ(ours, expected) << "Cb " << blue_chroma << ", offset " << offset;
    }
  }
}

class ColourLines : public testing::OnEachCodePath {};
INSTANTIATE_TEST_SUITE_P(Paths, ColourLines, ::testing::ValuesIn(testing::kCodePaths),
                         testing::CodePathName);
class ThreeQuarterGather : public testing::OnEachCodePath {};
INSTANTIATE_TEST_SUITE_P(Paths, ThreeQuarterGather, ::testing::ValuesIn(testing::kCodePaths),
                         testing::CodePathName);

TEST_P(ColourLines, Bgr24FullChromaMatchesTables) { ExpectLinesMatchTables<Bgr24Pixel, 0>(); }
TEST_P(ColourLines, Bgr24HalfChromaMatchesTables) { ExpectLinesMatchTables<Bgr24Pixel, 1>(); }
TEST_P(ColourLines, Rgb565FullChromaMatchesTables) { ExpectLinesMatchTables<Rgb565Pixel, 0>(); }
TEST_P(ColourLines, Rgb565HalfChromaMatchesTables) { ExpectLinesMatchTables<Rgb565Pixel, 1>(); }

TEST_P(ColourLines, ClampsAtBothEnds) {
  // Y = 255 with Cr = 255 saturates red; Y = 0 with Cr = 0 bottoms it out.
  const uint8_t y[16] = {255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0};
  const uint8_t cb[16] = {128, 128, 128, 128, 128, 128, 128, 128, 0, 0, 0, 0, 0, 0, 0, 0};
  const uint8_t cr[16] = {255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0};
  uint8_t bgr[48];
  ColourLine<Bgr24Pixel, 0>(y, cb, cr, 16, bgr);
  EXPECT_EQ(bgr[2], 255);   // red of the first pixel
  EXPECT_EQ(bgr[0], 255);   // blue: 255 with a neutral Cb
  EXPECT_EQ(bgr[47], 0);    // red of the last pixel
  EXPECT_EQ(bgr[46], 135);  // green: (176 + 366) / 4 with Cb = Cr = 0
}

std::vector<uint8_t> Ramp(int count) {
  std::vector<uint8_t> ramp(count);
  for (int i = 0; i < count; ++i) ramp[i] = static_cast<uint8_t>(i * 7 + 3);
  return ramp;
}

TEST_P(ThreeQuarterGather, KeepsTheFirstThreeOfEachFour) {
  for (int groups : {80, 7, 1}) {
    const std::vector<uint8_t> source = Ramp(4 * groups);
    std::vector<uint8_t> kept(3 * groups + kGatherSlack);
    KeepThreeOfFour(source.data(), groups, kept.data());
    for (int k = 0; k < groups; ++k) {
      for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(kept[3 * k + i], source[4 * k + i]) << groups << " groups, group " << k;
      }
    }
  }
}

TEST_P(ThreeQuarterGather, SpreadsChromaPairsByRule) {
  for (int groups : {80, 6}) {
    const std::vector<uint8_t> chroma = Ramp(2 * groups);
    std::vector<uint8_t> first(3 * groups + kGatherSlack), own(3 * groups + kGatherSlack);
    SpreadChromaPairs(chroma.data(), groups, PairRule::kFirstPair, first.data());
    SpreadChromaPairs(chroma.data(), groups, PairRule::kOwnPair, own.data());
    for (int k = 0; k < groups; ++k) {
      for (int i = 0; i < 3; ++i) ASSERT_EQ(first[3 * k + i], chroma[2 * k]) << "group " << k;
      ASSERT_EQ(own[3 * k], chroma[2 * k]) << "group " << k;
      ASSERT_EQ(own[3 * k + 1], chroma[2 * k]) << "group " << k;
      ASSERT_EQ(own[3 * k + 2], chroma[2 * k + 1]) << "group " << k;
    }
  }
}

}  // namespace
}  // namespace codec
