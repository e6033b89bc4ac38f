// The external display: the current picture fitted and centred on black,
// a mode change survived at the next picture, and the About box's line.
#include <gtest/gtest.h>

#include "file_list_access.h"
#include "gallery/app/orsagal.h"
#include "gallery/options/gallery_options.h"
#include "gallery_clips.h"
#include "platform/external_display.h"
#include "view/external_display.h"
#include "view_fixture.h"

namespace gallery {
namespace {

using platform::RGB;

class ViewExternalDisplayTest : public testing::ViewFixture {
 protected:
  void WantExternalDisplay() {
    GalleryOptions options = LoadGalleryOptions();
    options.general.external_display = 1;
    ASSERT_TRUE(SaveGalleryOptions(options));
  }
  static bool IsBlack(platform::COLORREF colour) {
    return platform::GetRValue(colour) < 8 && platform::GetGValue(colour) < 8 &&
           platform::GetBValue(colour) < 8;
  }
};

TEST_F(ViewExternalDisplayTest, ThePictureIsFittedAndCentredWithBlackBands) {
  ASSERT_TRUE(platform::external_display::Attach({640, 480, 16}));
  WantExternalDisplay();
  // 800 x 400 fits as 640 x 320: bands of 80 rows above and below.
  const auto gallery = StartOn(PutPicture("wide.jpg", 800, 400));
  const auto shown = platform::external_display::Snapshot();
  ASSERT_TRUE(shown);
  ASSERT_EQ(shown->width(), 640);
  EXPECT_TRUE(IsBlack(shown->GetPixel(320, 40)));
  EXPECT_TRUE(IsBlack(shown->GetPixel(320, 440)));
  EXPECT_FALSE(IsBlack(shown->GetPixel(320, 90)));
  EXPECT_FALSE(IsBlack(shown->GetPixel(320, 390)));
  // Red rises to the right across the whole width.
  EXPECT_LT(platform::GetRValue(shown->GetPixel(4, 240)), 16);
  EXPECT_GT(platform::GetRValue(shown->GetPixel(635, 240)), 230);
  Close(gallery);
}

TEST_F(ViewExternalDisplayTest, AModeChangeIsSurvivedAtTheNextPicture) {
  ASSERT_TRUE(platform::external_display::Attach({640, 480, 16}));
  WantExternalDisplay();
  const std::string first = PutPicture("a.jpg", 320, 240);
  PutPicture("b.jpg", 800, 600);
  const auto gallery = StartOn(first);
  // 320 x 240 is copied 1:1 in the middle.
  auto shown = platform::external_display::Snapshot();
  ASSERT_TRUE(shown);
  EXPECT_TRUE(IsBlack(shown->GetPixel(150, 240)));
  EXPECT_FALSE(IsBlack(shown->GetPixel(170, 240)));

  ASSERT_TRUE(platform::external_display::ChangeMode({800, 600, 24}));
  platform::PostMessage(Browser(), kMessageMakeCurrent, 1, 0);
  Settle();
  shown = platform::external_display::Snapshot();
  ASSERT_TRUE(shown);
  ASSERT_EQ(shown->width(), 800);
  // 800 x 600 fills the new mode.
  EXPECT_FALSE(IsBlack(shown->GetPixel(400, 2)));
  EXPECT_FALSE(IsBlack(shown->GetPixel(400, 597)));
  EXPECT_TRUE(Boxes().empty());
  Close(gallery);
}

TEST_F(ViewExternalDisplayTest, AFileTheDisplayCannotLoadIsReportedInABox) {
  ASSERT_TRUE(platform::external_display::Attach({640, 480, 16}));
  WantExternalDisplay();
  // The pane shows a clip through the plug-in's thumbnail; the display
  // loads pictures only.
  ASSERT_TRUE(clip::InstallClipModule(handheld()));
  const std::string path = std::string(testing::kPictures) + "\\clip.avi";
  testing::RecordTestClip(path);
  const std::string picture = PutPicture("still.jpg", 320, 240);
  const auto gallery = StartOn(path);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "VGA Out Load image failed");
  EXPECT_EQ(boxes[0].request.caption, "Test");
  EXPECT_EQ(boxes[0].request.buttons(), platform::MB_OK);
  // The display stays open and shows the picture made current next.
  platform::PostMessage(Browser(), kMessageMakeCurrent, FindEntry(picture), 0);
  Settle();
  const auto shown = platform::external_display::Snapshot();
  ASSERT_TRUE(shown);
  EXPECT_FALSE(IsBlack(shown->GetPixel(320, 240)));
  EXPECT_EQ(Boxes().size(), 1u);
  Close(gallery);
}

TEST_F(ViewExternalDisplayTest, WithoutADisplayNothingIsDescribed) {
  ExternalDisplay display;
  EXPECT_FALSE(display.Open());
  EXPECT_EQ(display.Describe(), "");
  ASSERT_TRUE(platform::external_display::Attach({640, 480, 16}));
  EXPECT_TRUE(display.Open());
  EXPECT_EQ(display.width(), 640);
  EXPECT_EQ(display.height(), 480);
  platform::external_display::Detach();
  display.Close();
  EXPECT_FALSE(display.Open());
}

}  // namespace
}  // namespace gallery
