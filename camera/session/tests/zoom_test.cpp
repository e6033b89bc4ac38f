// The digital zoom: the stream restarts with the level's capture type and
// header, the limits do nothing, the zoomed still size and its label and
// pictures, and the sounds that follow the clip-audio setting.
#include "camera/session/zoom.h"

#include <gtest/gtest.h>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/free_space.h"
#include "camera/settings/camera_settings.h"
#include "driver/orsadrv.h"
#include "fake_sio_driver.h"
#include "platform/audio.h"
#include "session_fixture.h"

namespace camera::testing {
namespace {

using orsadrv::IOCTL_SIO_START_PREVIEW;
using orsadrv::IOCTL_SIO_STOP_PREVIEW;

class ZoomTest : public SessionTest {
 protected:
  void OpenWith(int aviresolution, int recordwithaudio) {
    Settings().aviresolution = aviresolution;
    Settings().recordwithaudio = recordwithaudio;
    ASSERT_TRUE(Open());
    driver_.calls.clear();
    platform::audio::ClearPlayed();
  }
  std::vector<std::string> Sounds() const {
    std::vector<std::string> names;
    for (const platform::audio::PlayedSound& sound : platform::audio::PlayedSounds()) {
      names.push_back(sound.name);
    }
    return names;
  }
  // Paints the preview now; the label it drew.
  std::string PaintedLabel() {
    Repaint();
    return Camera().painted.size_label;
  }

  FakeSioDriver driver_;
};

TEST_F(ZoomTest, EachStepRestartsTheStreamWithTheLevelsType) {
  OpenWith(0, 0);
  ASSERT_TRUE(ZoomIn());
  ASSERT_TRUE(ZoomIn());
  ASSERT_TRUE(ZoomOut());
  ASSERT_TRUE(ZoomOut());
  const std::vector<platform::DWORD> codes = driver_.Codes();
  ASSERT_EQ(codes.size(), 8u);
  const platform::DWORD types[] = {9, 17, 9, 4};
  for (int step = 0; step < 4; ++step) {
    EXPECT_EQ(codes[2 * step], IOCTL_SIO_STOP_PREVIEW);
    EXPECT_EQ(codes[2 * step + 1], IOCTL_SIO_START_PREVIEW);
    EXPECT_EQ(driver_.calls[2 * step + 1].input_size, types[step]);
  }
}

TEST_F(ZoomTest, TheSmallStreamHasItsOwnTypesAndKeepsItsHeader) {
  OpenWith(1, 0);
  ZoomIn();
  EXPECT_EQ(driver_.calls.back().input_size, 20u);
  EXPECT_EQ(Camera().jpeg_buffer[147], 0x11);
  ZoomIn();
  EXPECT_EQ(driver_.calls.back().input_size, 21u);
  EXPECT_EQ(Camera().decode_size_mode, kDecodeSmallStream);
}

TEST_F(ZoomTest, ZoomingSwitchesTheLargeStreamsHeaderSampling) {
  OpenWith(0, 0);
  EXPECT_EQ(Camera().jpeg_buffer[147], 0x11);
  ZoomIn();
  EXPECT_EQ(Camera().jpeg_buffer[147], 0x22);
  EXPECT_EQ(Camera().decode_size_mode, kDecodeLargeStream);
  ZoomOut();
  EXPECT_EQ(Camera().jpeg_buffer[147], 0x11);
}

TEST_F(ZoomTest, BeyondTheLimitsNothingHappens) {
  OpenWith(0, 1);
  EXPECT_FALSE(ZoomOut());
  EXPECT_EQ(Camera().zoom_level, 0u);
  ZoomIn();
  ZoomIn();
  driver_.calls.clear();
  platform::audio::ClearPlayed();
  EXPECT_FALSE(ZoomIn());
  EXPECT_EQ(Camera().zoom_level, 2u);
  EXPECT_TRUE(driver_.calls.empty());
  EXPECT_TRUE(Sounds().empty());
}

TEST_F(ZoomTest, ZoomOutAtLevelZeroIsSilentAndLeavesTheStream) {
  OpenWith(0, 1);
  EXPECT_FALSE(ZoomOut());
  EXPECT_TRUE(driver_.calls.empty());
  EXPECT_TRUE(Sounds().empty());
}

TEST_F(ZoomTest, SoundsFollowClipAudioNotCameraSound) {
  OpenWith(0, 1);
  Settings().camera_sound = 0;
  ZoomIn();
  ZoomOut();
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"zoomin", "zoomout"}));

  Settings().recordwithaudio = 0;
  Settings().camera_sound = 1;
  platform::audio::ClearPlayed();
  ZoomIn();
  ZoomOut();
  EXPECT_TRUE(Sounds().empty());
}

TEST_F(ZoomTest, FromTwoToOneTheStillSizeIs640) {
  OpenWith(0, 0);
  Settings().resolution = 0;
  ZoomIn();
  ZoomIn();
  EXPECT_EQ(Settings().zoomed_still_size, 3);
  EXPECT_EQ(PaintedLabel(), "320x240");
  ZoomOut();
  EXPECT_EQ(Settings().zoomed_still_size, 2);
  EXPECT_EQ(PaintedLabel(), "640x480");
  ZoomOut();  // level 0 leaves the zoomed still size
  EXPECT_EQ(Settings().zoomed_still_size, 2);
  EXPECT_EQ(PaintedLabel(), "1280x1024");
}

TEST_F(ZoomTest, AtLevelOneWith320ChosenTheLabelAndPicturesFollowIt) {
  OpenWith(0, 0);
  Settings().resolution = 0;
  Settings().imagequality = 1;
  ZoomIn();
  Settings().zoomed_still_size = 3;  // the Settings page while zoomed
  EXPECT_EQ(PaintedLabel(), "320x240");
  SetFreeBytes(kPictureReserveBytes + 5 * 16 * 1024 * 2);
  EXPECT_EQ(PicturesLeft(), 5);
  Repaint();
  EXPECT_EQ(Camera().painted.count_text, "5");
}

}  // namespace
}  // namespace camera::testing
