// Statistics options 1 and 2: mean luminance and the colour means of the
// grey-ish blocks, measured on the preview sizes.
#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "decode_test_support.h"

namespace codec::testing {
namespace {

std::vector<uint8_t> FlatYcbcr(int width, int height, uint8_t y, uint8_t cb, uint8_t cr,
                               Subsampling subsampling) {
  EncodeOptions options;
  options.subsampling = subsampling;
  options.quality = 100;
  options.input_is_ycbcr = true;
  return EncodeJpeg(MakeFlat(width, height, y, cb, cr), options);
}

JpegStatistics StatisticsOf(const std::vector<uint8_t>& jpeg, int mode, int option,
                            JpegDecoder& decoder) {
  const Decoded decoded = Decode(jpeg, mode, true, option, &decoder);
  EXPECT_EQ(decoded.result, kJpegOk);
  return JpegLastStatistics(decoder);
}

TEST(Statistics, GreyFrameGivesItsLevelForEveryMean) {
  JpegDecoderPtr decoder = JpegDecoderCreate();
  for (Subsampling subsampling : {Subsampling::k444, Subsampling::k420}) {
    for (auto [width, height, mode] : {std::tuple{320, 240, 9}, {160, 120, 10}}) {
      for (int option : {1, 2}) {
        const JpegStatistics s = StatisticsOf(FlatYcbcr(width, height, 100, 128, 128, subsampling),
                                              mode, option, *decoder);
        EXPECT_EQ(s.mean_luminance, 100);
        EXPECT_EQ(s.mean_red, 100);
        EXPECT_EQ(s.mean_green, 100);
        EXPECT_EQ(s.mean_blue, 100);
      }
    }
  }
}

TEST(Statistics, ColouredBlocksAreLeftOutOfTheColourMeans) {
  JpegDecoderPtr decoder = JpegDecoderCreate();
  const JpegStatistics s =
      StatisticsOf(FlatYcbcr(320, 240, 120, 128, 220, Subsampling::k444), 9, 1, *decoder);
  EXPECT_EQ(s.mean_luminance, 120);
  EXPECT_EQ(s.mean_red, 0);
  EXPECT_EQ(s.mean_green, 0);
  EXPECT_EQ(s.mean_blue, 0);
}

TEST(Statistics, CentreWeightingCountsTheMiddleMore) {
  // Dark frame with a bright centre: option 2 weighs the centre windows in.
  Image image = MakeFlat(320, 240, 40, 128, 128);
  for (int y = 56; y < 184; ++y) {
    for (int x = 120; x < 200; ++x) *image.At(x, y) = 200;
  }
  EncodeOptions options;
  options.quality = 100;
  options.input_is_ycbcr = true;
  const std::vector<uint8_t> jpeg = EncodeJpeg(image, options);
  JpegDecoderPtr decoder = JpegDecoderCreate();
  const uint8_t plain = StatisticsOf(jpeg, 9, 1, *decoder).mean_luminance;
  const uint8_t weighted = StatisticsOf(jpeg, 9, 2, *decoder).mean_luminance;
  EXPECT_GT(weighted, plain + 20);
}

TEST(Statistics, CentreWeightingSeesTheSameBlocksInEverySampling) {
  // Each 8 x 8 block a level of its own: the centre windows must cover the
  // same blocks whatever order the blocks arrive in (4:2:0 sends the four
  // luma blocks of an MCU together), so the luminance measure is the same.
  for (auto [width, height, mode] : {std::tuple{320, 240, 9}, {160, 120, 10}}) {
    Image image = MakeFlat(width, height, 0, 128, 128);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int block = (y / 8) * (width / 8) + x / 8;
        *image.At(x, y) = static_cast<uint8_t>(20 + block * 37 % 211);
      }
    }
    JpegDecoderPtr decoder = JpegDecoderCreate();
    std::map<Subsampling, uint8_t> means;
    for (Subsampling subsampling : {Subsampling::k444, Subsampling::k422, Subsampling::k420}) {
      EncodeOptions options;
      options.subsampling = subsampling;
      options.quality = 100;
      options.input_is_ycbcr = true;
      means[subsampling] =
          StatisticsOf(EncodeJpeg(image, options), mode, 2, *decoder).mean_luminance;
    }
    EXPECT_EQ(means[Subsampling::k420], means[Subsampling::k444]) << width;
    EXPECT_EQ(means[Subsampling::k422], means[Subsampling::k444]) << width;
  }
}

TEST(Statistics, OptionZeroClearsAndOtherSizesLeaveTheBytes) {
  JpegDecoderPtr decoder = JpegDecoderCreate();
  const std::vector<uint8_t> preview = FlatYcbcr(320, 240, 90, 128, 128, Subsampling::k444);
  ASSERT_EQ(StatisticsOf(preview, 9, 1, *decoder).mean_luminance, 90);
  // Larger frames hold more blocks than the sample store; nothing changes.
  for (auto [width, height] : {std::pair{640, 480}, {320, 480}, {1280, 960}}) {
    const JpegStatistics s =
        StatisticsOf(FlatYcbcr(width, height, 200, 128, 128, Subsampling::k420), 9, 2, *decoder);
    EXPECT_EQ(s.mean_luminance, 90);
  }
  const JpegStatistics cleared = StatisticsOf(preview, 9, 0, *decoder);
  EXPECT_EQ(cleared.mean_luminance, 0);
  EXPECT_EQ(cleared.mean_red, 0);
}

}  // namespace
}  // namespace codec::testing
