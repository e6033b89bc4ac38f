// The thumbnail strip in the running gallery: the empty folder, wrap-around
// of the current entry, taps with and without the corner, range marking,
// the scroll bar, and cells for files that give no picture.
#include <gtest/gtest.h>

#include "browser/thumbnails.h"
#include "browser_strip_fixture.h"
#include "gallery/resources/commands.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "platform/controls/scroll_bar.h"

namespace gallery {
namespace {

using platform::RGB;

class BrowserStripTest : public testing::BrowserStripFixture {
 protected:
  static std::pair<int, int> ScrollRange() {
    int low = -1, high = -1;
    platform::GetScrollRange(platform::GetDlgItem(Browser(), 1111), platform::SB_CTL, &low, &high);
    return {low, high};
  }
  static int ScrollPosition() {
    return platform::GetScrollPos(platform::GetDlgItem(Browser(), 1111), platform::SB_CTL);
  }
};

TEST_F(BrowserStripTest, AnEmptyFolderShowsOnlyBackgroundCells) {
  platform::CreateDirectory("\\Strip");
  Start(testing::kStripFolder);
  Sync();
  EXPECT_EQ(Strip().count(), 0);
  EXPECT_EQ(Strip().current(), -1);
  EXPECT_EQ(Strip().CurrentPath(), testing::kStripFolder);
  EXPECT_EQ(ScrollRange(), std::make_pair(0, 0));
  for (int cell = 0; cell < 6; ++cell) {
    EXPECT_EQ(Strip().cells().Pixel(cell, 20, 15), kCellBackground) << cell;
    EXPECT_EQ(Strip().cells().mark_icon(cell), 0) << cell;
  }
  Key(platform::VK_RIGHT);
  EXPECT_EQ(Strip().current(), -1);
}

TEST_F(BrowserStripTest, TheCurrentEntryWrapsAroundAtBothEnds) {
  Pictures(8);
  Start(std::string(testing::kStripFolder) + "aa.jpg");
  Sync();
  ASSERT_EQ(Strip().count(), 8);
  EXPECT_EQ(Strip().current(), 0);
  EXPECT_TRUE(Strip().cells().highlight(0));
  Key(platform::VK_END);
  EXPECT_EQ(CurrentName(), "ah.jpg");
  EXPECT_EQ(Strip().top(), 6);
  EXPECT_TRUE(Strip().cells().highlight(1));
  Key(platform::VK_RIGHT);
  EXPECT_EQ(Strip().current(), 0);
  EXPECT_EQ(Strip().top(), 0);
  Key(platform::VK_DOWN);
  EXPECT_EQ(Strip().current(), 1);
  EXPECT_FALSE(Strip().cells().highlight(0));
  Key(platform::VK_PRIOR);
  EXPECT_EQ(Strip().current(), 7);
  Key(platform::VK_NEXT);
  EXPECT_EQ(Strip().current(), 0);
  Key(platform::VK_LEFT);
  EXPECT_EQ(Strip().current(), 7);
  Key(platform::VK_HOME);
  EXPECT_EQ(Strip().current(), 0);
  EXPECT_EQ(Gallery().current, std::string(testing::kStripFolder) + "aa.jpg");
}

TEST_F(BrowserStripTest, ACornerTapTogglesTheMarkAndATapPastTheEndBeeps) {
  Pictures(4);
  Start(testing::kStripFolder);
  Sync();
  Tap(2);
  EXPECT_EQ(Strip().current(), 2);
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(Strip().cells().mark_icon(2), kIconNotMarked);
  Tap(1, 3, 4);
  EXPECT_EQ(Strip().current(), 1);
  EXPECT_EQ(Marked(), std::vector<int>{1});
  EXPECT_EQ(Strip().cells().mark_icon(1), kIconMarked);
  Tap(1, 11, 11);
  EXPECT_TRUE(Marked().empty());
  const std::size_t beeps = handheld().message_boxes().Beeps().size();
  Tap(5);
  EXPECT_EQ(handheld().message_boxes().Beeps().size(), beeps + 1);
  EXPECT_EQ(Strip().current(), 1);
  Key('M');
  EXPECT_EQ(Marked(), std::vector<int>{1});
  Command(kCommandMarkAll);
  EXPECT_EQ(Marked().size(), 4u);
  EXPECT_EQ(Strip().cells().mark_icon(3), kIconMarked);
  Command(kCommandUnmarkAll);
  EXPECT_TRUE(Marked().empty());
}

TEST_F(BrowserStripTest, RangeMarkingMarksTheSpanBetweenAnchorAndTap) {
  Pictures(12);
  Start(std::string(testing::kStripFolder) + "aa.jpg");
  Sync();
  Key('M');  // a mark from before the range is dropped at the anchor
  Command(kCommandMarkRange);
  EXPECT_TRUE(Strip().range_marking());
  Tap(2);  // entry 3
  EXPECT_EQ(Strip().anchor(), 2);
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(Strip().cells().mark_icon(2), kIconRangeAnchor);
  platform::PostMessage(Browser(), platform::WM_HSCROLL, platform::SB_LINEDOWN, 0);
  Sync();
  EXPECT_EQ(Strip().top(), 6);
  EXPECT_EQ(ScrollPosition(), 1);
  Tap(2);  // entry 9
  EXPECT_EQ(Strip().current(), 8);
  EXPECT_EQ(Marked(), (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Strip().anchor(), -1);
  Command(kCommandMarkRange);
  EXPECT_FALSE(Strip().range_marking());
}

TEST_F(BrowserStripTest, TheScrollBarMovesByRowsWithoutChangingTheCurrentEntry) {
  Pictures(14);
  Start(std::string(testing::kStripFolder) + "aa.jpg");
  Sync();
  EXPECT_EQ(ScrollRange(), std::make_pair(0, 2));
  platform::PostMessage(Browser(), platform::WM_HSCROLL,
                        platform::MAKELONG(platform::SB_THUMBPOSITION, 2), 0);
  Sync();
  EXPECT_EQ(Strip().top(), 12);
  EXPECT_EQ(Strip().current(), 0);
  platform::PostMessage(Browser(), platform::WM_HSCROLL, platform::SB_LINEDOWN, 0);
  Sync();
  EXPECT_EQ(Strip().top(), 12);
  platform::PostMessage(Browser(), platform::WM_HSCROLL, platform::SB_PAGEUP, 0);
  Sync();
  EXPECT_EQ(Strip().top(), 6);
  EXPECT_EQ(ScrollPosition(), 1);
  // Cells past the end show the background only.
  platform::PostMessage(Browser(), platform::WM_HSCROLL, platform::SB_PAGEDOWN, 0);
  Sync();
  EXPECT_EQ(Strip().cells().Pixel(2, 20, 15), kCellBackground);
  EXPECT_NE(Strip().cells().Pixel(1, 20, 15), kCellBackground);
}

TEST_F(BrowserStripTest, FilesWithoutAPictureStillGetTheirCells) {
  Put(std::string(testing::kStripFolder) + "a.jpg", Jpeg(80, 40));
  Put(std::string(testing::kStripFolder) + "b.jpg", Jpeg(80, 60).substr(0, 300));
  Put(std::string(testing::kStripFolder) + "c.avi", "");
  Put(std::string(testing::kStripFolder) + "d.png", Png1x1());
  Start(std::string(testing::kStripFolder) + "a.jpg");
  Sync();
  ASSERT_EQ(Strip().count(), 4);
  EXPECT_NE(Strip().cells().Pixel(0, 20, 15), kCellBackground);
  EXPECT_EQ(Strip().cells().Pixel(0, 20, 1), kCellBackground);  // 40 x 20, centred
  EXPECT_EQ(Strip().cells().Pixel(2, 5, 28), kCellBackground);
  EXPECT_EQ(Strip().cells().Pixel(3, 19, 14), RGB(250, 0, 0));  // 1 x 1, centred
  EXPECT_EQ(Strip().cells().Pixel(3, 5, 28), kCellBackground);
  for (int cell = 0; cell < 4; ++cell) EXPECT_EQ(Strip().cells().mark_icon(cell), kIconNotMarked);
  EXPECT_EQ(Strip().cells().mark_icon(4), 0);
}

}  // namespace
}  // namespace gallery
