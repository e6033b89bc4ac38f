// The instant review: how long it shows, what the frame pump does
// meanwhile, the taps that count, deleting and keeping, and the files it
// will not read.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_writers.h"
#include "camera/still/picture_names.h"
#include "platform/handheld.h"
#include "platform/time.h"
#include "still_fixture.h"

namespace camera::testing {
namespace {

constexpr std::uint8_t kFrameMarker[] = {0xFF, 0xC0};

class ReviewTest : public StillTest {
 protected:
  ReviewTest() {
    Settings().instant_review = 1;
    StoreFilePage("snap", 1, "\\My Documents\\My Pictures\\");
  }
  platform::COLORREF DecodedMiddle() const {
    const std::vector<std::uint8_t>& image = Camera().decoded_image;
    const std::size_t at = (90 * kPreviewWidth + 120) * 3;
    return platform::RGB(image[at + 2], image[at + 1], image[at]);
  }
  platform::MessageBoxService& boxes() { return platform::Handheld::Current().message_boxes(); }
};

TEST_F(ReviewTest, LastsTwoFourOrSixSecondsWithItsHint) {
  for (int review : {1, 2, 3}) {
    Settings().instant_review = review;
    still_.PressShutter(ShutterSource::kShutterButton);
    ASSERT_TRUE(Camera().review_showing) << review;
    EXPECT_TRUE(Near(DecodedMiddle(), platform::RGB(200, 40, 40), 16));
    Repaint();
    EXPECT_TRUE(Camera().painted.review_hint);
    const std::uint64_t start = platform::clock::NowMs();
    ASSERT_TRUE(PumpUntil([] { return !Camera().review_showing; }, 7'000));
    const std::uint64_t lasted = platform::clock::NowMs() - start;
    EXPECT_GE(lasted, review * 2'000u - 200) << review;  // the settling sleep came first
    EXPECT_LE(lasted, review * 2'000u + 60) << review;   // the thread looks every 20 ms
  }
}

TEST_F(ReviewTest, APressDuringTheReviewIsRefused) {
  still_.PressShutter(ShutterSource::kShutterButton);
  ASSERT_TRUE(Camera().review_showing);
  EXPECT_FALSE(still_.PressShutter(ShutterSource::kActionKey));
  EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(ReviewTest, WithoutReviewNoThreadRunsAndFramesAreNotDropped) {
  Settings().instant_review = 0;
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_FALSE(Camera().review_showing);
  still_.ReviewTap(100, 100);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ReviewTest, SmallStreamCountsOnlyTapsOnThePicture) {
  Settings().aviresolution = 1;
  boxes().QueueAnswer(platform::IDCANCEL);
  still_.PressShutter(ShutterSource::kShutterButton);
  ASSERT_TRUE(Camera().review_showing);
  still_.ReviewTap(39, 100);
  EXPECT_TRUE(Camera().review_showing);
  EXPECT_TRUE(Boxes().empty());
  still_.ReviewTap(40, 100);
  EXPECT_FALSE(Camera().review_showing) << "the live preview comes back at once";
  const auto shown = Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].request.text, "Are you sure you want to delete the picture?");
  EXPECT_EQ(shown[0].request.caption, "Quillon Camera");
  EXPECT_EQ(shown[0].request.type, platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION);
  EXPECT_EQ(shown[0].request.owner, Camera().preview_window);
}

TEST_F(ReviewTest, OkDeletesAndTheNextPictureTakesTheSameName) {
  still_.PressShutter(ShutterSource::kShutterButton);
  const std::string first = PicturePath(1);
  ASSERT_TRUE(Exists(first));
  still_.ReviewTap(5, 5);
  EXPECT_FALSE(Exists(first));
  EXPECT_EQ(Settings().jpgno, 1);
  EXPECT_EQ(still_.pictures_taken(), 0);
  Pump(50);
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_EQ(PathOf(Requests().back()), first);
  EXPECT_TRUE(Exists(first));
}

TEST_F(ReviewTest, CancelKeepsThePicture) {
  boxes().QueueAnswer(platform::IDCANCEL);
  still_.PressShutter(ShutterSource::kShutterButton);
  still_.ReviewTap(5, 5);
  EXPECT_TRUE(Exists(PicturePath(1)));
  EXPECT_EQ(Settings().jpgno, 2);
  EXPECT_EQ(still_.pictures_taken(), 1);
}

TEST_F(ReviewTest, AfterTheWrapTheReviewedPicture9999IsDeletedAndItsNumberReused) {
  StoreFilePage("snap", 9999, "\\My Documents\\My Pictures\\");
  still_.PressShutter(ShutterSource::kShutterButton);
  ASSERT_EQ(Settings().jpgno, 1);
  still_.ReviewTap(5, 5);
  EXPECT_FALSE(Exists(PicturePath(9999)));
  EXPECT_EQ(Settings().jpgno, 9999) << "not 0000";
  Pump(50);
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_EQ(PathOf(Requests().back()), PicturePath(9999));
}

TEST_F(ReviewTest, AFileLargerThanTheReviewBufferIsNotReviewedButKept) {
  // Comment segments make the picture larger than the buffer; it stays whole.
  std::vector<std::uint8_t> large = driver_.picture;
  std::vector<std::uint8_t> comment = {0xFF, 0xFE, 0xFF, 0xFF};
  comment.resize(2 + 0xFFFF, 'c');
  while (large.size() <= kReviewBufferBytes)
    large.insert(large.begin() + 2, comment.begin(), comment.end());
  driver_.picture = large;
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_FALSE(Camera().review_showing);
  EXPECT_TRUE(Exists(PicturePath(1)));
}

TEST_F(ReviewTest, ABrokenPictureShowsNoStaleReview) {
  // Whole as far as its end shows, but of a sample precision no decoder
  // here reads.
  std::vector<std::uint8_t>& picture = driver_.picture;
  const auto frame =
      std::search(picture.begin(), picture.end(), std::begin(kFrameMarker), std::end(kFrameMarker));
  ASSERT_NE(frame, picture.end());
  frame[4] = 12;
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_FALSE(Camera().review_showing);
}

}  // namespace
}  // namespace camera::testing
