// The arithmetic of the module programming: exposure steps, levels,
// calibration and the compression format, on their own.
#include <gtest/gtest.h>

#include "capture_types.h"
#include "module_config.h"

namespace orsadrv {
namespace {

TEST(ExposureArithmeticTest, TooBrightStepsFollowTheReshapingTable) {
  // w = 40, Y = 200: max(72 / 12, 6) = 6.
  EXPECT_EQ(DecideExposure(40, 200, 0).exposure, 34);
  // w = 1200, Y = 140: 3 x 12 = 36, halved after an increase.
  EXPECT_EQ(DecideExposure(1200, 140, 0).exposure, 1164);
  EXPECT_EQ(DecideExposure(1200, 140, +1).exposure, 1182);
  EXPECT_EQ(DecideExposure(1200, 140, 0).direction, -1);
  // Small exposures step by one or two.
  EXPECT_EQ(DecideExposure(10, 250, 0).exposure, 9);
  EXPECT_EQ(DecideExposure(20, 250, 0).exposure, 18);
  // w <= 35: A / 16 when A with its low bits cleared exceeds 64, else 4.
  EXPECT_EQ(DecideExposure(30, 250, 0).exposure, 30 - 122 / 16);
  EXPECT_EQ(DecideExposure(30, 180, 0).exposure, 26);
  // Very bright at a medium exposure: 2 x (A / 5).
  EXPECT_EQ(DecideExposure(400, 200, 0).exposure, 400 - 2 * (72 / 5));
  // Steps are limited to 200 and never reach zero.
  EXPECT_EQ(DecideExposure(3000, 187, 0).exposure, 2800) << "7 x 29 limited to 200";
  EXPECT_EQ(DecideExposure(1, 255, 0).exposure, 1);
}

TEST(ExposureArithmeticTest, EveryRangeOfTheLongExposuresReshapesTheStep) {
  const int a = 12;  // Y = 140
  const struct {
    int w;
    int step;
  } cases[] = {{150, a / 2}, {200, 2 * (a / 3)}, {300, a},      {450, 3 * (a / 2)},
               {700, 2 * a}, {900, 5 * (a / 2)}, {1300, 3 * a}, {2000, 7 * (a / 2)}};
  for (const auto& c : cases) {
    EXPECT_EQ(DecideExposure(c.w, 140, 0).exposure, c.w - c.step) << "w = " << c.w;
  }
}

TEST(ExposureArithmeticTest, InBandAndTooDark) {
  ExposureDecision in_band = DecideExposure(500, 130, -1);
  EXPECT_TRUE(in_band.in_band);
  EXPECT_EQ(in_band.direction, 0);
  EXPECT_EQ(in_band.exposure, 500);
  EXPECT_EQ(DecideExposure(60, 125, 0).exposure, 61) << "creeps up below 128 when w <= 80";
  EXPECT_EQ(DecideExposure(90, 125, 0).exposure, 90);
  // Too dark: 2 x (A / 5) for Y > 50.
  ExposureDecision dark = DecideExposure(230, 100, 0);
  EXPECT_EQ(dark.direction, +1);
  EXPECT_EQ(dark.exposure, 230 + 2 * (28 / 5));
  // Very dark with a long exposure: the long table.
  EXPECT_EQ(DecideExposure(600, 20, 0).exposure, 800) << "2 x 108 limited to 200";
  EXPECT_EQ(DecideExposure(3200, 10, 0).exposure, 3270) << "at most 3,270";
  EXPECT_EQ(DecideExposure(10, 100, 0).exposure, 11);
  EXPECT_EQ(DecideExposure(10, 40, 0).exposure, 10 + 2 * (88 / 5))
      << "Y <= 50 skips the small steps";
}

TEST(ExposureArithmeticTest, LevelsFromTheMeasuredBytes) {
  // Bright shadows, bright highlights: black 8, white 249.
  Levels open = LevelsFrom({40, 40, 40, 40, 40, 40, 40, 40});
  EXPECT_EQ(open.black, 8);
  EXPECT_EQ(open.white, 249);
  EXPECT_EQ(open.scale, 16320 / 241);
  // Everything dark: f = 4 + 2, black 30, which also pushes t up.
  Levels dark = LevelsFrom({1, 1, 1, 1, 1, 1, 1, 1});
  EXPECT_EQ(dark.black, 30);
  EXPECT_EQ(dark.white, 233);
  EXPECT_EQ(dark.scale, 16320 / 203);
  Levels middle = LevelsFrom({20, 30, 30, 30, 30, 30, 30, 12});
  EXPECT_EQ(middle.black, 8);
  EXPECT_EQ(middle.white, 244);
}

TEST(ExposureArithmeticTest, CalibrationValuesByCountDifference) {
  EXPECT_EQ(CalibrationValue(0, 600), 56);
  EXPECT_EQ(CalibrationValue(700, 600), 56);
  EXPECT_EQ(CalibrationValue(1000, 1548), 48);
  EXPECT_EQ(CalibrationValue(1000, 1549), 49);
  EXPECT_EQ(CalibrationValue(1000, 1683), 53);
  EXPECT_EQ(CalibrationValue(1000, 1684), 54);
  EXPECT_EQ(CalibrationValue(1000, 1960), 62);
  EXPECT_EQ(CalibrationValue(1000, 2009), 62);
  EXPECT_EQ(CalibrationValue(1000, 2010), 63);
}

TEST(ExposureArithmeticTest, CompressionFormatAndGeometry) {
  EXPECT_EQ(CompressionFormat(4, false, false), 109);
  EXPECT_EQ(CompressionFormat(9, false, false), 69);
  EXPECT_EQ(CompressionFormat(8, true, false), 109);
  EXPECT_EQ(CompressionFormat(20, true, false), 69) << "type 20 is 4:4:4 only as a preview";
  EXPECT_EQ(CompressionFormat(1, true, true), 197);
  EXPECT_EQ(CompressionFormat(2, true, true), 237);
  ASSERT_TRUE(GeometryOf(17));
  EXPECT_EQ(GeometryOf(17)->x, 502);
  EXPECT_EQ(GeometryOf(17)->output_width, 320);
  ASSERT_TRUE(GeometryOf(11));
  EXPECT_EQ(GeometryOf(11)->output_height, 120);
  ASSERT_TRUE(GeometryOf(12));
  EXPECT_FALSE(GeometryOf(12)->has_scaler);
  EXPECT_FALSE(GeometryOf(15));
}

}  // namespace
}  // namespace orsadrv
