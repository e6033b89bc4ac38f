// Still capture: the full-size scan behind a still header, and what the
// exposure, the gains and the colour modes do to the picture.
#include "card_fixture.h"
#include "card_testing/camera_tables.h"

namespace card {
namespace {

using testing::Picture;

class StillTest : public CardTest {
 protected:
  std::optional<Picture> Still(int type, int quality, int colour_mode = 0) {
    const testing::TypeGeometry* geometry = testing::Geometry(type);
    const std::vector<std::uint8_t> scan = programmer().Still(type, quality, colour_mode);
    if (scan.empty()) return std::nullopt;
    return testing::DecodeWith(testing::StillHeader(geometry->output_width, geometry->output_height,
                                                    testing::LumaSampling(type), quality),
                               scan);
  }
};

TEST_F(StillTest, AStillOfType1DecodesTo1280By960) {
  ASSERT_TRUE(programmer().StartUp());
  const std::optional<Picture> picture = Still(1, 1);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 1280);
  EXPECT_EQ(picture->height, 960);
  EXPECT_GT(picture->MeanLuminance(), 60);
  EXPECT_EQ(testing::StillHeader(1280, 960, 2, 1).size(), 1515u);
}

TEST_F(StillTest, RaisingTheExposureRaisesTheLuminance) {
  ASSERT_TRUE(programmer().StartUp());
  double previous = -1;
  for (int exposure : {60, 120, 240, 480}) {
    programmer().SetExposureValue(exposure);
    const std::optional<Picture> picture = Still(4, 2);
    ASSERT_TRUE(picture);
    EXPECT_GT(picture->MeanLuminance(), previous + 5) << "exposure " << exposure;
    previous = picture->MeanLuminance();
  }
}

TEST_F(StillTest, TheGainsTintThePicture) {
  card_->SetScene(MakeUniformScene(120, 120, 120));
  ASSERT_TRUE(programmer().StartUp());
  double red, green, blue;
  Still(4, 2)->MeanColour(&red, &green, &blue);
  EXPECT_NEAR(red, blue, 6);  // the default gains make grey grey
  EXPECT_NEAR(red, green, 6);
  programmer().WriteGains({256, 256, 256, 512});  // red doubled
  Still(4, 2)->MeanColour(&red, &green, &blue);
  EXPECT_GT(red, green + 30);
  EXPECT_NEAR(green, blue * 1.25, 8);
}

TEST_F(StillTest, WithTheLensTurnedTheSameGainsStillApplyToTheirColours) {
  card_->SetScene(MakeUniformScene(120, 120, 120));
  card_->SetOrientation(true);
  ASSERT_TRUE(programmer().StartUp());  // programs the turned read-out and gain order
  double red, green, blue;
  programmer().WriteGains({256, 256, 256, 512});
  Still(4, 2)->MeanColour(&red, &green, &blue);
  EXPECT_GT(red, green + 30);
}

TEST_F(StillTest, BlackAndWhiteIsGreyAndNegativeIsInverted) {
  card_->SetScene(MakeUniformScene(200, 60, 40));
  ASSERT_TRUE(programmer().StartUp());
  double red, green, blue;
  Still(4, 2, 0)->MeanColour(&red, &green, &blue);
  EXPECT_GT(red, green + 60);
  const double colour_red = red, colour_green = green;

  Still(4, 2, 1)->MeanColour(&red, &green, &blue);
  EXPECT_NEAR(red, green, 3);
  EXPECT_NEAR(blue, green, 3);

  Still(4, 2, 2)->MeanColour(&red, &green, &blue);
  EXPECT_NEAR(red, 255 - colour_red, 8);
  EXPECT_NEAR(green, 255 - colour_green, 8);
}

TEST_F(StillTest, TheLevelsMeasurementLeavesEightBytesForTheDriver) {
  ASSERT_TRUE(programmer().StartUp());
  ASSERT_TRUE(Still(2, 0));  // a type with the levels measurement
  const std::vector<std::uint8_t> levels = programmer().PortRead(136, 8);
  for (int i = 0; i < 4; ++i) EXPECT_LT(levels[i], 255 - levels[4 + i]);
  const std::vector<std::uint8_t> black = programmer().PortRead(69, 2);
  EXPECT_GE(black[0], 8);
  EXPECT_GT(black[1], 60);
}

}  // namespace
}  // namespace card
