// The full-size modes 7 and 14: a 160 x 120 picture decoded whole, then
// enlarged by 3/2 to 240 x 180.
#include <gtest/gtest.h>

#include <vector>

#include "decode_test_support.h"

namespace codec::testing {
namespace {

std::vector<uint8_t> Encoded(Subsampling subsampling, bool ycbcr = false) {
  EncodeOptions options;
  options.subsampling = subsampling;
  options.quality = 92;
  options.input_is_ycbcr = ycbcr;
  return EncodeJpeg(MakeScene(160, 120, 4), options);
}

const uint8_t* PixelOf(const Image& image, int x, int y) { return image.At(x, y); }

// The corners of each 3 x 3 block are the source pixels themselves.
void ExpectCornersAreSourcePixels(const Image& enlarged, const Image& source) {
  for (int j = 0; j < 60; ++j) {
    for (int i = 0; i < 80; ++i) {
      for (int dy : {0, 1}) {
        for (int dx : {0, 1}) {
          const uint8_t* big = PixelOf(enlarged, 3 * i + 2 * dx, 3 * j + 2 * dy);
          const uint8_t* small = PixelOf(source, 2 * i + dx, 2 * j + dy);
          ASSERT_TRUE(std::equal(big, big + 3, small)) << i << "," << j;
        }
      }
    }
  }
}

class FullSize : public ::testing::TestWithParam<Subsampling> {};

TEST_P(FullSize, CornersAreTheOneToOnePixels) {
  // 4:4:4 and 4:2:2 fill the MCU grid exactly at 160 x 120, so modes 10 and
  // 3 show the same picture pixel for pixel.
  const std::vector<uint8_t> jpeg = Encoded(GetParam());
  for (auto [full_mode, one_to_one_mode] : {std::pair{14, 10}, std::pair{7, 3}}) {
    const Decoded enlarged = Decode(jpeg, full_mode);
    ASSERT_EQ(enlarged.result, kJpegOk);
    ASSERT_EQ(enlarged.written, JpegOutputSize(full_mode));
    const Decoded source = Decode(jpeg, one_to_one_mode);
    ASSERT_EQ(source.result, kJpegOk);
    ExpectCornersAreSourcePixels(enlarged.Rgb(), source.Rgb());
  }
}

INSTANTIATE_TEST_SUITE_P(ExactGrid, FullSize,
                         ::testing::Values(Subsampling::k444, Subsampling::k422),
                         [](const auto& info) { return SubsamplingName(info.param); });

TEST(FullSizeArithmetic, EdgesAndCentreAverageTheirCorners) {
  // Neutral chroma: every channel equals the luma arithmetic.
  Image image = MakeScene(160, 120, 6);
  for (size_t i = 0; i < image.samples.size(); i += 3) {
    image.samples[i + 1] = image.samples[i + 2] = 128;
  }
  EncodeOptions options;
  options.quality = 95;
  options.input_is_ycbcr = true;
  const std::vector<uint8_t> jpeg = EncodeJpeg(image, options);
  const Image big = Decode(jpeg, 14).Rgb();
  const Image small = Decode(jpeg, 10).Rgb();
  for (int j = 0; j < 60; ++j) {
    for (int i = 0; i < 80; ++i) {
      const int a = *small.At(2 * i, 2 * j), b = *small.At(2 * i + 1, 2 * j);
      const int c = *small.At(2 * i, 2 * j + 1), d = *small.At(2 * i + 1, 2 * j + 1);
      ASSERT_EQ(*big.At(3 * i + 1, 3 * j), (a + b) / 2);
      ASSERT_EQ(*big.At(3 * i + 1, 3 * j + 2), (c + d) / 2);
      ASSERT_EQ(*big.At(3 * i, 3 * j + 1), (a + c) / 2);
      ASSERT_EQ(*big.At(3 * i + 2, 3 * j + 1), (b + d) / 2);
      ASSERT_EQ(*big.At(3 * i + 1, 3 * j + 1), (a + b + c + d) / 4);
    }
  }
}

TEST(FullSizeArithmetic, Subsampled420BlocksShareOneChromaPair) {
  const std::vector<uint8_t> jpeg = Encoded(Subsampling::k420);
  for (int mode : {7, 14}) {
    const Decoded decoded = Decode(jpeg, mode);
    ASSERT_EQ(decoded.result, kJpegOk);
    ASSERT_EQ(decoded.written, JpegOutputSize(mode));
    Image expected = DecodeReference(jpeg, 12);
    if (decoded.bytes_per_pixel == 2) expected = QuantiseTo565(expected);
    EXPECT_GE(Psnr(decoded.Rgb(), expected), 30) << mode;
  }
}

TEST(FullSizeLimits, OnlyA160x120PictureIsEnlarged) {
  for (auto [width, height] : {std::pair{320, 240}, {80, 60}, {176, 144}, {160, 128}}) {
    EncodeOptions options;
    const std::vector<uint8_t> jpeg = EncodeJpeg(MakeScene(width, height), options);
    for (int mode : {7, 14}) {
      const Decoded decoded = Decode(jpeg, mode);
      EXPECT_EQ(decoded.result, kJpegUnsupported) << width << " mode " << mode;
      EXPECT_EQ(decoded.written, 0u);
    }
  }
}

}  // namespace
}  // namespace codec::testing
