// The preview with the application's own artwork against golden pictures:
// a fixed test card as the frames, fixed settings, free space and frame
// times, at both stream sizes. ORSA_UPDATE_GOLDEN=1 writes the pictures
// afresh.
#include <gtest/gtest.h>

#include <filesystem>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/free_space.h"
#include "camera/session/zoom.h"
#include "camera/settings/camera_settings.h"
#include "fake_sio_driver.h"
#include "preview_scan.h"
#include "session_fixture.h"

namespace camera::testing {
namespace {

class PreviewScreenshotTest : public SessionTest {
 protected:
  PreviewScreenshotTest() : SessionTest(ORSA_CAMERA_RESOURCES) {}

  // Two frames 40 ms apart, so the rate reads 26 frames per second.
  void ShowTestCard(int width, int height, int luma) {
    driver_.LoseStream();
    driver_.frame = PictureScan(width, height, luma, TestCardPicture(width, height));
    for (int frame = 0; frame < 2; ++frame) {
      driver_.AnnounceFrame();
      Pump(40);
    }
  }

  void ExpectGolden(const char* name) {
    ExpectMatchesGolden(PreviewShot(), std::filesystem::path(ORSA_SESSION_GOLDEN) / name);
  }

  FakeSioDriver driver_;
};

TEST_F(PreviewScreenshotTest, LargeStreamZoomedWithItsOverlays) {
  Settings().aviresolution = 0;
  Settings().business_card = 0;
  Settings().ae_metering = 1;
  Settings().awb = 1;
  Settings().color = 0;
  Settings().imagequality = 1;
  Settings().selftime = 2;
  SetFreeBytes(kPictureReserveBytes + 42 * 45 * 1024 * 2);
  ASSERT_TRUE(Open());
  ZoomIn();
  ShowTestCard(320, 240, 0x22);
  EXPECT_EQ(Camera().painted.count_text, "42");
  EXPECT_EQ(Camera().painted.size_label, "640x480");
  EXPECT_EQ(Camera().painted.frame_rate_text, "26F/S");
  ExpectGolden("preview_320x240.png");
}

TEST_F(PreviewScreenshotTest, SmallStreamWithTheBusinessCardFrame) {
  Settings().aviresolution = 1;
  Settings().business_card = 1;
  Settings().ae_metering = 0;
  Settings().awb = 0;
  Settings().color = 1;
  Settings().imagequality = 0;
  Settings().selftime = 0;
  Settings().resolution = 2;
  SetFreeBytes(kPictureReserveBytes + 3 * 50 * 1024);
  ASSERT_TRUE(Open());
  ShowTestCard(160, 120, 0x11);
  EXPECT_TRUE(Camera().painted.small_layout);
  EXPECT_EQ(Camera().painted.count_text, "3");
  EXPECT_EQ(Camera().painted.size_label, "640x480");
  ExpectGolden("preview_160x120.png");
}

}  // namespace
}  // namespace camera::testing
