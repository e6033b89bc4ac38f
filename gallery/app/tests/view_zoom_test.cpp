// The zoom view opened from the browser: its label through the zoom
// steps, previous and next with wrap, and the entry it hands back.
#include <gtest/gtest.h>

#include "file_list_access.h"
#include "gallery/app/orsagal.h"
#include "gallery/resources/commands.h"
#include "imaging/bitmap.h"
#include "platform/punctuation_keys.h"
#include "platform/screen.h"
#include "platform/window_paint.h"
#include "view_fixture.h"

namespace gallery {
namespace {

class ViewZoomTest : public testing::ViewFixture {};

TEST_F(ViewZoomTest, SpaceOpensThePictureAtActualSizeAndTheStepsShowInTheLabel) {
  const auto gallery = StartOn(PutPicture("a.jpg", 640, 480));
  Key(Browser(), platform::VK_SPACE);
  ASSERT_TRUE(ZoomView());
  EXPECT_EQ(ZoomText(), "100%");
  Command(ZoomView(), kCommandZoomToFit);
  EXPECT_EQ(ZoomText(), "37.5%");
  Key(ZoomView(), platform::VK_OEM_PLUS);
  EXPECT_EQ(ZoomText(), "75%");
  Command(ZoomView(), kCommandActualSize);
  EXPECT_EQ(ZoomText(), "100%");
  Key(ZoomView(), platform::VK_OEM_MINUS);
  Key(ZoomView(), platform::VK_OEM_MINUS);
  Key(ZoomView(), platform::VK_OEM_MINUS);
  EXPECT_EQ(ZoomText(), "37.5%");
  Key(ZoomView(), platform::VK_ESCAPE);
  EXPECT_FALSE(ZoomView());
  Close(gallery);
}

TEST_F(ViewZoomTest, PreviousFromTheFirstShowsTheLastWhichBecomesCurrentOnClosing) {
  const std::string first = PutPicture("a.jpg", 80, 60);
  PutPicture("b.jpg", 80, 60);
  PutPicture("c.jpg", 80, 60);
  const auto gallery = StartOn(first);
  ASSERT_TRUE(Label(1107).starts_with("a.jpg")) << Label(1107);
  Command(Browser(), kButtonView);
  ASSERT_TRUE(ZoomView());
  Key(ZoomView(), platform::VK_OEM_COMMA);
  Key(ZoomView(), platform::VK_RETURN);
  EXPECT_FALSE(ZoomView());
  EXPECT_TRUE(Label(1107).starts_with("c.jpg")) << Label(1107);
  // And next from the last wraps to the first.
  Command(Browser(), kCommandView);
  Command(ZoomView(), kCommandNextPicture);
  Command(ZoomView(), platform::IDOK);
  EXPECT_TRUE(Label(1107).starts_with("a.jpg")) << Label(1107);
  Close(gallery);
}

TEST_F(ViewZoomTest, ASmallPictureStaysAtActualSize) {
  const auto gallery = StartOn(PutPicture("small.jpg", 100, 50));
  Key(Browser(), platform::VK_SPACE);
  Command(ZoomView(), kCommandZoomToFit);
  EXPECT_EQ(ZoomText(), "100%");
  Key(ZoomView(), platform::VK_OEM_MINUS);
  EXPECT_EQ(ZoomText(), "100%");
  Key(ZoomView(), platform::VK_ESCAPE);
  Close(gallery);
}

TEST_F(ViewZoomTest, APictureTooLargeForMemorySaysHowFarItWasReduced) {
  // 19.2 million pixels: more than the imaging library holds at full size,
  // so it decodes at 7/8 (7000 x 2100), and 2100 of 2400 rows is 87 %.
  const auto gallery = StartOn(PutPicture("panorama.jpg", 8000, 2400));
  Key(Browser(), platform::VK_SPACE);
  ASSERT_TRUE(ZoomView());
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "The picture was reduced to 87% to fit.");
  EXPECT_EQ(boxes[0].request.caption, "Gallery");
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONINFORMATION);
  Key(ZoomView(), platform::VK_ESCAPE);
  Close(gallery);
}

TEST_F(ViewZoomTest, AnUnreadablePictureLeavesTheViewEmptyAndClosable) {
  Put(std::string(testing::kPictures) + "\\broken.jpg", "broken");
  const auto gallery = StartOn(std::string(testing::kPictures) + "\\broken.jpg");
  Key(Browser(), platform::VK_SPACE);
  ASSERT_TRUE(ZoomView());
  Key(ZoomView(), platform::VK_OEM_PLUS);
  Key(ZoomView(), platform::VK_RIGHT);
  EXPECT_EQ(ZoomText(), "100%");
  Key(ZoomView(), platform::VK_ESCAPE);
  EXPECT_FALSE(ZoomView());
  Close(gallery);
}

TEST_F(ViewZoomTest, OpeningAgainShowsTheNewPictureWhateverItsSize) {
  // Red rises across each picture: at 100 % the area's left column shows
  // the picture's column (width - 240) / 2, whose red tells the pictures
  // apart; the 320 x 240 one also leaves black bands above and below.
  const std::string wide = PutPicture("a.jpg", 640, 480);
  const std::string small = PutPicture("b.jpg", 320, 240);
  const auto gallery = StartOn(wide);
  auto area_pixel = [](int x, int y) {
    platform::RECT place;
    platform::GetWindowRect(ZoomView(), &place);
    return platform::screen::Compose().GetPixel(place.left + x, place.top + y);
  };
  // Opens the view on `path` and checks the area's left red and whether
  // the top rows are a black band.
  auto check = [&](const std::string& path, int left_red, bool banded) {
    platform::PostMessage(Browser(), kMessageMakeCurrent, FindEntry(path), 0);
    Settle();
    Key(Browser(), platform::VK_SPACE);
    ASSERT_TRUE(ZoomView());
    EXPECT_NEAR(platform::GetRValue(area_pixel(0, 134)), left_red, 12) << path;
    EXPECT_EQ(area_pixel(120, 5) == platform::RGB(0, 0, 0), banded) << path;
    Key(ZoomView(), platform::VK_ESCAPE);
  };
  for (int round = 0; round < 2; ++round) {
    check(wide, 200 * 255 / 640, false);
    check(small, 40 * 255 / 320, true);
  }
  Close(gallery);
}

// The view paints from the loaded picture's own memory: it must live while
// the view shows it, through zooming and walking to pictures of other
// sizes, and go when the view and the browser close.
TEST_F(ViewZoomTest, TheShownPictureLivesAsLongAsTheViewPaintsIt) {
  const std::size_t large = 640 * 480 * 3;
  const std::size_t small = 320 * 240 * 3;
  const std::size_t before_gallery = imaging::Bitmap::LiveBytes();
  const std::string first = PutPicture("a.jpg", 640, 480);
  PutPicture("b.jpg", 320, 240);
  const auto gallery = StartOn(first);
  const std::size_t browsing = imaging::Bitmap::LiveBytes();
  ASSERT_LT(browsing, small);  // thumbnails and the pane's picture at most
  auto area_red = [](int x, int y) {
    platform::RECT place;
    platform::GetWindowRect(ZoomView(), &place);
    return platform::GetRValue(platform::screen::Compose().GetPixel(place.left + x, place.top + y));
  };
  auto repaint = [] {
    platform::InvalidateRect(ZoomView(), nullptr, FALSE);
    Settle();
  };

  Key(Browser(), platform::VK_SPACE);
  ASSERT_TRUE(ZoomView());
  EXPECT_GE(imaging::Bitmap::LiveBytes(), browsing + large);
  EXPECT_LT(imaging::Bitmap::LiveBytes(), browsing + large + small);
  repaint();
  EXPECT_NEAR(area_red(0, 134), 200 * 255 / 640, 12);  // column 200 of 640
  Command(ZoomView(), kCommandZoomIn);
  repaint();
  EXPECT_EQ(ZoomText(), "200%");

  // Next: the smaller picture replaces the larger, which is let go.
  Command(ZoomView(), kCommandNextPicture);
  EXPECT_EQ(ZoomText(), "100%");
  EXPECT_GE(imaging::Bitmap::LiveBytes(), browsing + small);
  EXPECT_LT(imaging::Bitmap::LiveBytes(), browsing + large);
  repaint();
  EXPECT_NEAR(area_red(0, 134), 40 * 255 / 320, 12);  // column 40 of 320
  // And back, with wrap: the larger one again, painted from fresh memory.
  Command(ZoomView(), kCommandPreviousPicture);
  repaint();
  EXPECT_NEAR(area_red(0, 134), 200 * 255 / 640, 12);
  Command(ZoomView(), kCommandZoomToFit);
  repaint();
  EXPECT_EQ(ZoomText(), "37.5%");

  Key(ZoomView(), platform::VK_ESCAPE);
  EXPECT_FALSE(ZoomView());
  EXPECT_LT(imaging::Bitmap::LiveBytes(), browsing + small);
  Close(gallery);
  EXPECT_EQ(imaging::Bitmap::LiveBytes(), before_gallery);
}

}  // namespace
}  // namespace gallery
