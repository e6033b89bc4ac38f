// Play hands the last picture to the gallery (a recording stand-in here,
// built in at "\windows\orsagal.exe") after powering the card down.
#include <gtest/gtest.h>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_writers.h"
#include "camera/still/picture_names.h"
#include "platform/files.h"
#include "still_fixture.h"

namespace camera::testing {
namespace {

class GalleryTest : public StillTest {
 protected:
  GalleryTest() { StoreFilePage("snap", 1, "\\My Documents\\My Pictures\\"); }
  std::string StartedWith() {
    EXPECT_TRUE(PumpUntil([this] { return gallery_command_line().has_value(); }, 1'000));
    return gallery_command_line().value_or("<not started>");
  }
};

TEST_F(GalleryTest, NoPictureThisRunStartsItWithNoCommandLine) {
  InstallGallery();
  const std::size_t calls_before = driver_.calls.size();
  EXPECT_TRUE(still_.OpenGallery());
  EXPECT_EQ(StartedWith(), "");
  std::vector<platform::DWORD> codes;
  for (std::size_t i = calls_before; i < driver_.calls.size(); ++i) {
    codes.push_back(driver_.calls[i].code);
  }
  EXPECT_EQ(codes, (std::vector<platform::DWORD>{orsadrv::IOCTL_SIO_STOP_PREVIEW,
                                                 orsadrv::IOCTL_SIO_POWER_DOWN}));
}

TEST_F(GalleryTest, ThePictureTakenLastIsHandedOn) {
  InstallGallery();
  still_.PressShutter(ShutterSource::kShutterButton);
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_TRUE(still_.OpenGallery());
  EXPECT_EQ(StartedWith(), "\\My Documents\\My Pictures\\snap0002.jpg");
}

TEST_F(GalleryTest, APictureTheDriverNeverWroteIsNotHandedOn) {
  InstallGallery();
  driver_.picture.clear();
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_EQ(still_.pictures_taken(), 1);
  EXPECT_TRUE(still_.OpenGallery());
  EXPECT_EQ(StartedWith(), "");
}

TEST_F(GalleryTest, AMissingGallerySaysSoAndLeavesThePreviewStopped) {
  EXPECT_FALSE(still_.OpenGallery());
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "ERROR::\n Run orsagal.exe faile!");
  EXPECT_EQ(boxes[0].request.caption, "Quillon Camera");
  EXPECT_EQ(boxes[0].request.type, platform::MB_OK);
  EXPECT_EQ(Camera().streaming, 0u);
}

}  // namespace
}  // namespace camera::testing
