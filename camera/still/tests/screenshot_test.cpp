// The countdown digit and the review with its hint, drawn with the
// application's artwork, against golden pictures (ORSA_UPDATE_GOLDEN=1
// writes them afresh).
#include <gtest/gtest.h>

#include "camera/session/camera_state.h"
#include "camera/session/free_space.h"
#include "camera/settings/camera_settings.h"
#include "preview_scan.h"
#include "reference_codec.h"
#include "still_fixture.h"
#include "test_images.h"

namespace camera::testing {
namespace {

class StillScreenshotTest : public StillTest {
 protected:
  StillScreenshotTest() : StillTest(ORSA_CAMERA_RESOURCES) {
    Settings().ae_metering = 0;
    Settings().awb = 0;
    Settings().color = 0;
    Settings().imagequality = 0;
    Settings().resolution = 2;
    Settings().business_card = 0;
    SetFreeBytes(kPictureReserveBytes + 12 * 50 * 1024);
    driver_.LoseStream();
    driver_.frame = PictureScan(320, 240, 0x11, TestCardPicture(320, 240));
  }
  // Frames 40 ms apart, as many as fit in `ms`.
  void Frames(int ms) {
    for (int passed = 0; passed < ms; passed += 40) {
      driver_.AnnounceFrame();
      Pump(40);
    }
  }
};

TEST_F(StillScreenshotTest, CountdownDigit) {
  Settings().selftime = 2;
  Frames(80);
  ASSERT_TRUE(still_.PressShutter(ShutterSource::kShutterButton));
  Frames(3'520);
  ASSERT_EQ(Camera().self_timer_digit, 7);
  ExpectMatchesGolden(PreviewShot(), std::filesystem::path(ORSA_STILL_GOLDEN) / "countdown.png");
}

TEST_F(StillScreenshotTest, ReviewWithItsHint) {
  Settings().instant_review = 2;
  Settings().selftime = 0;
  codec::testing::EncodeOptions options;
  options.subsampling = codec::testing::Subsampling::k420;
  driver_.picture = codec::testing::EncodeJpeg(codec::testing::MakeScene(640, 480, 3), options);
  Frames(80);
  ASSERT_TRUE(still_.PressShutter(ShutterSource::kShutterButton));
  ASSERT_TRUE(Camera().review_showing);
  Frames(200);
  ASSERT_TRUE(Camera().painted.review_hint);
  ExpectMatchesGolden(PreviewShot(), std::filesystem::path(ORSA_STILL_GOLDEN) / "review.png");
}

}  // namespace
}  // namespace camera::testing
