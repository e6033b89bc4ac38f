// Every decode mode against the reference decoder: pictures encoded at the
// camera's three quality tables and at ordinary qualities, in each sampling and
// at each size the system meets, must match the reference's decode at the
// same reduction, brought to the mode's size by the same pixel selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <tuple>

#include "decode_test_support.h"

namespace codec::testing {
namespace {

struct Size {
  int width, height;
};

// Quality: 0..2 are the camera's tables, others an ordinary quality factor.
using Param = std::tuple<Size, Subsampling, int>;

EncodeOptions OptionsFor(Subsampling subsampling, int quality) {
  EncodeOptions options;
  options.subsampling = subsampling;
  if (quality <= 2) {
    options.tables = CameraTables(quality);
  } else {
    options.quality = quality;
  }
  return options;
}

// Lowest PSNR seen per kind of comparison, printed at the end.
std::map<std::string, double>& LowestPsnr() {
  static std::map<std::string, double> lowest;
  return lowest;
}

class ReferenceComparison : public ::testing::TestWithParam<Param> {
 public:
  static void TearDownTestSuite() {
    for (const auto& [kind, psnr] : LowestPsnr()) {
      std::printf("lowest PSNR %-28s %.2f dB\n", kind.c_str(), psnr);
    }
  }
};

// Thresholds: decodes at full scale that keep every pixel match closely; the
// three-quarter pattern shares chroma between neighbouring pixels; reduced
// transforms differ a little from the reference's. With 4:2:0 and a
// reduction the decoder keeps chroma at half the reduced luma resolution in
// both directions, where the reference decodes chroma at the luma resolution:
// there the luminance must match and the colour may differ more.
struct Thresholds {
  double rgb;
  double luma;
};
Thresholds ThresholdsFor(int reduction, bool exact_fit, Subsampling subsampling, bool full_size) {
  if (full_size) return {30, 30};
  if (reduction == 1)
    return exact_fit || subsampling == Subsampling::k444 ? Thresholds{38, 38} : Thresholds{34, 34};
  if (subsampling == Subsampling::k420) return {24, 38};
  return {34, 38};
}

TEST_P(ReferenceComparison, EveryModeMatchesTheReference) {
  const auto& [size, subsampling, quality] = GetParam();
  const std::vector<uint8_t> jpeg =
      EncodeJpeg(MakeScene(size.width, size.height), OptionsFor(subsampling, quality));
  ASSERT_FALSE(jpeg.empty());
  for (int mode = kJpegFirstMode; mode <= kJpegLastMode; ++mode) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    const JpegModeGeometry geometry = JpegModeInfo(mode);
    const Decoded decoded = Decode(jpeg, mode);
    if (geometry.full_size) {
      // Only 160 x 120 pictures are enlarged by 3/2.
      if (size.width != 160) {
        EXPECT_EQ(decoded.result, kJpegUnsupported);
        continue;
      }
      ASSERT_EQ(decoded.result, kJpegOk);
      ASSERT_EQ(decoded.written, JpegOutputSize(mode));
      Image expected = DecodeReference(jpeg, 12);
      if (geometry.bytes_per_pixel == 2) expected = QuantiseTo565(expected);
      const double psnr = Psnr(decoded.Rgb(), expected);
      EXPECT_GE(psnr, ThresholdsFor(1, true, subsampling, true).rgb);
      double& lowest = LowestPsnr().try_emplace("3/2 enlargement", 1000).first->second;
      lowest = std::min(lowest, psnr);
      continue;
    }
    const int reduction = ReductionFor(size.width, size.height, geometry.width, geometry.height);
    const auto [padded_width, padded_height] =
        ScaledPaddedSize(size.width, size.height, subsampling, reduction);
    const bool exact_fit = padded_width == geometry.width && padded_height == geometry.height;
    if (!exact_fit && reduction < 8 && (mode == 4 || mode == 11)) {
      EXPECT_EQ(decoded.result, kJpegUnsupported);
      continue;
    }
    ASSERT_EQ(decoded.result, kJpegOk);
    ASSERT_EQ(decoded.written, JpegOutputSize(mode));
    const Image reduced =
        PadByRepeating(DecodeReference(jpeg, 8 / reduction), padded_width, padded_height);
    Image expected = Resample(reduced, geometry.width, geometry.height, Selection::kAuto, true);
    if (geometry.bytes_per_pixel == 2) expected = QuantiseTo565(expected);
    const double psnr = Psnr(decoded.Rgb(), expected);
    const double luma_psnr = LumaPsnr(decoded.Rgb(), expected);
    const Thresholds thresholds = ThresholdsFor(reduction, exact_fit, subsampling, false);
    EXPECT_GE(psnr, thresholds.rgb);
    EXPECT_GE(luma_psnr, thresholds.luma);
    const std::string kind =
        std::string(reduction == 1 ? (exact_fit ? "1:1" : "full scale resampled")
                                   : "reduced 1/" + std::to_string(reduction)) +
        " " + SubsamplingName(subsampling);
    double& lowest = LowestPsnr().try_emplace(kind, 1000).first->second;
    lowest = std::min(lowest, psnr);
    double& lowest_luma = LowestPsnr().try_emplace(kind + " luma", 1000).first->second;
    lowest_luma = std::min(lowest_luma, luma_psnr);
  }
}

std::string ParamName(const ::testing::TestParamInfo<Param>& info) {
  const auto& [size, subsampling, quality] = info.param;
  std::string name = std::to_string(size.width) + "x" + std::to_string(size.height) + "_" +
                     SubsamplingName(subsampling) + (quality <= 2 ? "_camera" : "_q");
  name.append(std::to_string(quality));
  return name;
}

INSTANTIATE_TEST_SUITE_P(Pictures, ReferenceComparison,
                         ::testing::Combine(::testing::Values(Size{160, 120}, Size{320, 240},
                                                              Size{640, 480}, Size{1280, 960}),
                                            ::testing::Values(Subsampling::k444, Subsampling::k422,
                                                              Subsampling::k420),
                                            ::testing::Values(0, 1, 2, 50, 75, 95)),
                         ParamName);

}  // namespace
}  // namespace codec::testing
