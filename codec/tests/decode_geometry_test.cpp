// Sizes, margins and line selection that callers depend on: the preview
// frame, pictures whose aspect differs from the output, each reduction, and
// the two three-quarter converters.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "decode_test_support.h"

namespace codec::testing {
namespace {

std::vector<uint8_t> EncodedPicture(int width, int height, Subsampling subsampling,
                                    int quality = 90) {
  EncodeOptions options;
  options.subsampling = subsampling;
  options.quality = quality;
  return EncodeJpeg(MakeScene(width, height), options);
}

// The preview frame: the application's 170-byte header followed by the
// card's entropy-coded scan.
std::vector<uint8_t> PreviewFrame(int width, int height, Subsampling subsampling) {
  EncodeOptions options;
  options.subsampling = subsampling;
  options.tables = CameraTables(2);
  const std::vector<uint8_t> full = EncodeJpeg(MakeScene(width, height, 3), options);
  std::vector<uint8_t> frame = PreviewHeader(width, height, subsampling);
  const std::vector<uint8_t> scan = ScanData(full);
  frame.insert(frame.end(), scan.begin(), scan.end());
  return frame;
}

// Pixel (x, y) of a decoded picture as its bytes.
std::vector<uint8_t> PixelAt(const Decoded& decoded, int x, int y) {
  const size_t at = (static_cast<size_t>(y) * decoded.width + x) * decoded.bytes_per_pixel;
  return {decoded.pixels.begin() + static_cast<long>(at),
          decoded.pixels.begin() + static_cast<long>(at) + decoded.bytes_per_pixel};
}

bool LineIsBlack(const Decoded& decoded, int y, int from_x, int to_x) {
  for (int x = from_x; x < to_x; ++x) {
    const auto pixel = PixelAt(decoded, x, y);
    if (std::any_of(pixel.begin(), pixel.end(), [](uint8_t b) { return b != 0; })) return false;
  }
  return true;
}

// Expects `small` to consist of the pixels of `large` (offset by
// `large_top` lines) at the given rows and columns.
void ExpectSelection(const Decoded& small, const Decoded& large, int large_top,
                     const std::vector<int>& rows, const std::vector<int>& columns,
                     int small_top = 0) {
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < columns.size(); ++c) {
      ASSERT_EQ(PixelAt(small, static_cast<int>(c), small_top + static_cast<int>(r)),
                PixelAt(large, columns[c], large_top + rows[r]))
          << "output pixel " << c << "," << r;
    }
  }
}

std::vector<int> EveryFourthDropped(int count, int dropped) {
  std::vector<int> kept;
  for (int i = 0; i < count; ++i) {
    if (i % 4 != dropped) kept.push_back(i);
  }
  return kept;
}

TEST(PreviewFrame, LargeFrameGivesThreeQuarterPictureOf180LinesOf720Bytes) {
  const std::vector<uint8_t> frame = PreviewFrame(320, 240, Subsampling::k444);
  const Decoded preview = Decode(frame, 9);
  ASSERT_EQ(preview.result, kJpegOk);
  EXPECT_EQ(preview.written, 180u * 720u);
  // Reduction 1 and the fixed pattern: lines and pixels 0, 1, 2 of every four
  // of the full-size picture.
  const Decoded full = Decode(frame, 8);
  ASSERT_EQ(full.result, kJpegOk);
  ExpectSelection(preview, full, 0, EveryFourthDropped(240, 3), EveryFourthDropped(320, 3));
}

TEST(PreviewFrame, SmallFrameDecodesOneToOne) {
  const std::vector<uint8_t> frame = PreviewFrame(160, 120, Subsampling::k444);
  const Decoded preview = Decode(frame, 10);
  ASSERT_EQ(preview.result, kJpegOk);
  EXPECT_EQ(preview.written, 160u * 120u * 3u);
  EXPECT_GE(Psnr(preview.Rgb(), DecodeReference(frame)), 38);
}

TEST(PreviewFrame, ZoomedFrameIn420Decodes) {
  const std::vector<uint8_t> frame = PreviewFrame(320, 240, Subsampling::k420);
  const Decoded preview = Decode(frame, 9);
  ASSERT_EQ(preview.result, kJpegOk);
  EXPECT_EQ(preview.written, 180u * 720u);
}

TEST(ThreeQuarter, AccumulatorKindKeepsLines0_1_3) {
  const std::vector<uint8_t> jpeg = EncodedPicture(320, 240, Subsampling::k444);
  const Decoded small = Decode(jpeg, 9, /*fast_three_quarter=*/false);
  const Decoded full = Decode(jpeg, 8);
  ASSERT_EQ(small.result, kJpegOk);
  ExpectSelection(small, full, 0, EveryFourthDropped(240, 2), EveryFourthDropped(320, 3));
}

// With a flat luma plane a pixel's colour shows which chroma sample it took.
std::vector<uint8_t> FlatLumaVaryingChroma(Subsampling subsampling) {
  Image image = MakeScene(320, 240, 5);
  for (size_t i = 0; i < image.samples.size(); i += 3) image.samples[i] = 128;
  EncodeOptions options;
  options.subsampling = subsampling;
  options.quality = 95;
  options.input_is_ycbcr = true;
  return EncodeJpeg(image, options);
}

class ThreeQuarterChroma : public ::testing::TestWithParam<Subsampling> {};

TEST_P(ThreeQuarterChroma, FixedPatternSharesTheFirstPairsChroma) {
  const std::vector<uint8_t> jpeg = FlatLumaVaryingChroma(GetParam());
  const Decoded small = Decode(jpeg, 9, true);
  const Decoded full = Decode(jpeg, 8);
  ASSERT_EQ(small.result, kJpegOk);
  const std::vector<int> rows = EveryFourthDropped(240, 3);
  std::vector<int> columns;
  for (int k = 0; k < 80; ++k) columns.insert(columns.end(), {4 * k, 4 * k, 4 * k});
  ExpectSelection(small, full, 0, rows, columns);
}

TEST_P(ThreeQuarterChroma, AccumulatorKindGivesThirdPixelItsOwnPair) {
  const std::vector<uint8_t> jpeg = FlatLumaVaryingChroma(GetParam());
  const Decoded small = Decode(jpeg, 9, false);
  const Decoded full = Decode(jpeg, 8);
  ASSERT_EQ(small.result, kJpegOk);
  // Chroma row y / 2 for every kept line y, skipped neighbours or not.
  const std::vector<int> rows = EveryFourthDropped(240, 2);
  std::vector<int> columns;
  for (int k = 0; k < 80; ++k) columns.insert(columns.end(), {4 * k, 4 * k, 4 * k + 2});
  ExpectSelection(small, full, 0, rows, columns);
}

INSTANTIATE_TEST_SUITE_P(Subsampled, ThreeQuarterChroma,
                         ::testing::Values(Subsampling::k420, Subsampling::k422),
                         [](const auto& info) { return SubsamplingName(info.param); });

TEST(Resampling, HalfReductionIn420UsesThreeQuarterOfThe320x240Planes) {
  const std::vector<uint8_t> jpeg = EncodedPicture(640, 480, Subsampling::k420);
  const Decoded small = Decode(jpeg, 9, false);
  const Decoded planes = Decode(jpeg, 8);  // reduction 2, exact fit
  ASSERT_EQ(small.result, kJpegOk);
  EXPECT_EQ(small.written, 180u * 720u);
  ExpectSelection(small, planes, 0, EveryFourthDropped(240, 2), EveryFourthDropped(320, 3));
}

TEST(Resampling, QuarterReductionKeepsThePatternAcrossShortMcuRows) {
  // 1280 x 960 in mode 9: reduction 4, two lines per MCU row.
  const std::vector<uint8_t> jpeg = EncodedPicture(1280, 960, Subsampling::k444);
  const Decoded small = Decode(jpeg, 9, true);
  const Decoded planes = Decode(jpeg, 8);
  ASSERT_EQ(small.result, kJpegOk);
  EXPECT_EQ(small.written, 180u * 720u);
  ExpectSelection(small, planes, 0, EveryFourthDropped(240, 3), EveryFourthDropped(320, 3));
}

TEST(Resampling, WidePictureGets30BlackLinesAboveAndBelow) {
  // 320 x 160 in mode 9: fitted to the width with ratio 3072; the vertical
  // ratio is not 3072, so the general converter runs (T = 4096 - 4608 / 2).
  for (Subsampling subsampling : {Subsampling::k444, Subsampling::k420}) {
    SCOPED_TRACE(SubsamplingName(subsampling));
    const std::vector<uint8_t> jpeg = EncodedPicture(320, 160, subsampling);
    const Decoded small = Decode(jpeg, 9);
    ASSERT_EQ(small.result, kJpegOk);
    EXPECT_EQ(small.written, 180u * 720u);
    for (int y : {0, 29, 150, 179}) EXPECT_TRUE(LineIsBlack(small, y, 0, 240)) << y;
    EXPECT_FALSE(LineIsBlack(small, 30, 0, 240));
    EXPECT_FALSE(LineIsBlack(small, 149, 0, 240));
    // Mode 8 shows the same picture at full scale between 40-line margins.
    const Decoded full = Decode(jpeg, 8);
    ASSERT_EQ(full.result, kJpegOk);
    int32_t accumulator = 4096;
    const std::vector<int> rows = AccumulatorPicks(160, 3072, 1792, accumulator);
    accumulator = 4096;
    const std::vector<int> columns = AccumulatorPicks(320, 3072, 1792, accumulator);
    ASSERT_EQ(rows.size(), 120u);
    ASSERT_EQ(columns.size(), 240u);
    ExpectSelection(small, full, 40, rows, columns, 30);
  }
}

TEST(Resampling, TallerPictureGets10BlackColumnsEachSide) {
  // 352 x 288 in mode 9: fitted to the height with ratio 2560, T = 2700.
  const std::vector<uint8_t> jpeg = EncodedPicture(352, 288, Subsampling::k420);
  const Decoded small = Decode(jpeg, 9);
  ASSERT_EQ(small.result, kJpegOk);
  EXPECT_EQ(small.written, 180u * 720u);
  for (int y = 0; y < 180; ++y) {
    ASSERT_TRUE(LineIsBlack(small, y, 0, 10)) << y;
    ASSERT_TRUE(LineIsBlack(small, y, 230, 240)) << y;
  }
  const Image expected = Resample(DecodeReference(jpeg), 240, 180, Selection::kGeneral, true);
  EXPECT_GE(Psnr(small.Rgb(), expected), 34);
}

TEST(Resampling, LineSelectionFollowsTheAccumulatorOnFineDetail) {
  // One-pixel stripes: picking a neighbouring line or column instead of the
  // right one would turn black into white.
  Image stripes = MakeFlat(352, 288, 0, 0, 0);
  for (int y = 0; y < 288; ++y) {
    for (int x = 0; x < 352; ++x) {
      const uint8_t level = ((x % 3 == 0) != (y % 2 == 0)) ? 235 : 20;
      std::fill(stripes.At(x, y), stripes.At(x, y) + 3, level);
    }
  }
  EncodeOptions options;
  options.quality = 98;
  const std::vector<uint8_t> jpeg = EncodeJpeg(stripes, options);
  const Decoded small = Decode(jpeg, 9);
  ASSERT_EQ(small.result, kJpegOk);
  const Image expected = Resample(DecodeReference(jpeg), 240, 180, Selection::kGeneral, true);
  EXPECT_GE(Psnr(small.Rgb(), expected), 30);
}

TEST(Resampling, EighthReductionDecodesDcOnlyToAnExactFit) {
  const std::vector<uint8_t> jpeg = EncodedPicture(640, 480, Subsampling::k444);
  for (int mode : {4, 11}) {
    const Decoded decoded = Decode(jpeg, mode);
    ASSERT_EQ(decoded.result, kJpegOk) << mode;
    EXPECT_EQ(decoded.written, JpegOutputSize(mode));
    EXPECT_GE(Psnr(decoded.Rgb(), QuantiseTo565(DecodeReference(jpeg, 1))), 34) << mode;
  }
}

TEST(Resampling, QuarterReductionToAnExactFitConvertsOneToOne) {
  const std::vector<uint8_t> jpeg = EncodedPicture(640, 480, Subsampling::k444);
  const Decoded decoded = Decode(jpeg, 3);
  ASSERT_EQ(decoded.result, kJpegOk);
  EXPECT_EQ(decoded.written, 160u * 120u * 2u);
  EXPECT_FALSE(LineIsBlack(decoded, 0, 0, 160));
  EXPECT_GE(Psnr(decoded.Rgb(), QuantiseTo565(DecodeReference(jpeg, 2))), 34);
}

TEST(Resampling, EightyBySixtyNeedsAnExactFitBelowTheEighthReduction) {
  EXPECT_EQ(Decode(EncodedPicture(320, 240, Subsampling::k444), 4).result, kJpegOk);
  for (int mode : {4, 11}) {
    const Decoded decoded = Decode(EncodedPicture(352, 288, Subsampling::k444), mode);
    EXPECT_EQ(decoded.result, kJpegUnsupported) << mode;
    EXPECT_EQ(decoded.written, 0u) << mode;
  }
}

TEST(Resampling, PictureSmallerThanTheOutputKeepsItsOwnSizeOnBlack) {
  const std::vector<uint8_t> jpeg = EncodedPicture(64, 48, Subsampling::k444);
  const Decoded decoded = Decode(jpeg, 8);
  ASSERT_EQ(decoded.result, kJpegOk);
  EXPECT_EQ(decoded.written, JpegOutputSize(8));
  // Ratios 5 : 1 on both sides: no margins, every pixel once, top left.
  const Image reference = DecodeReference(jpeg);
  const Image ours = decoded.Rgb();
  Image corner{64, 48, 3, {}};
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      corner.samples.insert(corner.samples.end(), ours.At(x, y), ours.At(x, y) + 3);
    }
  }
  EXPECT_GE(Psnr(corner, reference), 38);
  EXPECT_TRUE(LineIsBlack(decoded, 10, 64, 320));
  EXPECT_TRUE(LineIsBlack(decoded, 100, 0, 320));
}

TEST(Colour, MidGreyIs0x8410InRgb565) {
  EncodeOptions options;
  options.quality = 100;
  options.input_is_ycbcr = true;
  const std::vector<uint8_t> jpeg = EncodeJpeg(MakeFlat(320, 240, 128, 128, 128), options);
  for (int mode = 1; mode <= 13; ++mode) {
    if (mode == 7) continue;
    const Decoded decoded = Decode(jpeg, mode);
    ASSERT_EQ(decoded.result, kJpegOk) << mode;
    for (size_t i = 0; i < decoded.pixels.size(); i += decoded.bytes_per_pixel) {
      if (decoded.bytes_per_pixel == 2) {
        ASSERT_EQ(decoded.pixels[i] | decoded.pixels[i + 1] << 8, 0x8410) << mode;
      } else {
        ASSERT_EQ(decoded.pixels[i], 128);
        ASSERT_EQ(decoded.pixels[i + 1], 128);
        ASSERT_EQ(decoded.pixels[i + 2], 128);
      }
    }
  }
}

TEST(Colour, FullRedChromaClampsRedAt255) {
  EncodeOptions options;
  options.quality = 100;
  options.input_is_ycbcr = true;
  const std::vector<uint8_t> jpeg = EncodeJpeg(MakeFlat(160, 120, 255, 128, 255), options);
  const Decoded decoded = Decode(jpeg, 10);
  ASSERT_EQ(decoded.result, kJpegOk);
  const auto pixel = PixelAt(decoded, 80, 60);  // B, G, R
  EXPECT_EQ(pixel[2], 255);
  EXPECT_EQ(pixel[0], 255);
  EXPECT_NEAR(pixel[1], 255 - 0.714136 * 127, 1.0);
}

}  // namespace
}  // namespace codec::testing
