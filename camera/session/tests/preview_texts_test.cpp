// The size label by mode, zoom and settings, and the frame-rate text.
#include "camera/session/preview_texts.h"

#include <gtest/gtest.h>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "session_fixture.h"

namespace camera::testing {
namespace {

TEST(FrameRateText, ThousandOverTheGapPlusOne) {
  EXPECT_EQ(FrameRateText(1000, 1033), "31F/S");
  EXPECT_EQ(FrameRateText(1000, 1040), "26F/S");
  EXPECT_EQ(FrameRateText(1000, 3000), "1F/S");
  EXPECT_EQ(FrameRateText(1000, 1001), "1001F/S");
}

TEST(FrameRateText, TwoPaintsInOneMillisecondGiveNoRate) {
  EXPECT_EQ(FrameRateText(5000, 5000), "");
}

TEST(FrameRateText, TheTickCountWrappingIsOneShortGap) {
  EXPECT_EQ(FrameRateText(0xFFFFFFF0u, 0x10u), "32F/S");
}

class SizeLabelTest : public SessionTest {};

TEST_F(SizeLabelTest, StillModeUnzoomedFollowsResolution) {
  const char* labels[] = {"1280x1024", "1280x960", "640x480", "320x240"};
  for (int resolution = 0; resolution < 4; ++resolution) {
    Settings().resolution = resolution;
    EXPECT_EQ(SizeLabel(), labels[resolution]);
  }
}

TEST_F(SizeLabelTest, ZoomedStillsFollowTheZoomedStillSize) {
  Settings().resolution = 0;
  Camera().zoom_level = 1;
  Settings().zoomed_still_size = 2;
  EXPECT_EQ(SizeLabel(), "640x480");
  Settings().zoomed_still_size = 3;
  EXPECT_EQ(SizeLabel(), "320x240");
  Camera().zoom_level = 2;
  Settings().zoomed_still_size = 2;
  EXPECT_EQ(SizeLabel(), "320x240");
}

TEST_F(SizeLabelTest, VideoModeShowsTheStreamSize) {
  Camera().mode = CameraMode::kVideo;
  Camera().zoom_level = 1;
  Settings().aviresolution = 0;
  EXPECT_EQ(SizeLabel(), "320x240");
  Settings().aviresolution = 1;
  EXPECT_EQ(SizeLabel(), "160x120");
}

}  // namespace
}  // namespace camera::testing
