// The trackbar driven with the stylus and keys: range, position, dragging
// the thumb, paging on the channel, and the scroll messages to the parent.
#include "common_controls_fixture.h"

namespace platform {
namespace {

class TrackbarTest : public testing::CommonControlsTest {
 protected:
  HWND MakeSlider(DWORD style = TBS_HORZ) {
    return Make(TRACKBAR_CLASS, style,
                style & TBS_VERT ? RECT{10, 10, 40, 210} : RECT{10, 10, 210, 40});
  }
  static RECT ThumbOf(HWND slider) {
    RECT thumb;
    SendMessage(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    return thumb;
  }
  static POINT CentreOf(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  std::vector<WORD> ScrollCodes() const {
    std::vector<WORD> codes;
    for (const auto& scroll : scrolls_) codes.push_back(scroll.code);
    return codes;
  }
};

TEST_F(TrackbarTest, PositionStaysInsideTheRange) {
  HWND slider = MakeSlider();
  SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(1, 30));
  EXPECT_EQ(SendMessage(slider, TBM_GETRANGEMIN, 0, 0), 1);
  EXPECT_EQ(SendMessage(slider, TBM_GETRANGEMAX, 0, 0), 30);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 1);  // pulled up to the minimum
  SendMessage(slider, TBM_SETPOS, TRUE, 50);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 30);
  SendMessage(slider, TBM_SETPOS, TRUE, 12);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 12);
  // Narrowing the range moves the position with it.
  SendMessage(slider, TBM_SETRANGEMAX, TRUE, 10);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 10);
  SendMessage(slider, TBM_SETRANGEMIN, TRUE, 5);
  SendMessage(slider, TBM_SETPOS, TRUE, 0);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 5);
  // Setting the position is the program's doing: nothing is reported.
  Pump();
  EXPECT_TRUE(scrolls_.empty());
}

TEST_F(TrackbarTest, ARangeOfManyFramesFitsTheMessage) {
  HWND slider = MakeSlider();
  SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(1, 40000));
  EXPECT_EQ(SendMessage(slider, TBM_GETRANGEMAX, 0, 0), 40000);
  SendMessage(slider, TBM_SETRANGEMAX, TRUE, 100000);
  SendMessage(slider, TBM_SETPOS, TRUE, 99999);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 99999);
}

TEST_F(TrackbarTest, AnEmptyOrInvertedRangeKeepsTheThumbOnTheChannel) {
  HWND slider = MakeSlider();
  RECT channel;
  SendMessage(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  // A clip without frames: range 1..0.
  SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(1, 0));
  EXPECT_EQ(SendMessage(slider, TBM_GETRANGEMAX, 0, 0), 1);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 1);
  const POINT centre = CentreOf(ThumbOf(slider));
  EXPECT_GE(centre.x, channel.left);
  EXPECT_LE(centre.x, channel.right);
  // Dragging over an empty range stays at its one position.
  Drag(slider, centre, {190, 15});
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 1);
}

TEST_F(TrackbarTest, DraggingTheThumbTracksAndReportsTheFinalPosition) {
  HWND slider = MakeSlider();
  SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  RECT channel;
  SendMessage(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const POINT start = CentreOf(ThumbOf(slider));
  const POINT middle{(channel.left + channel.right) / 2, start.y};
  Down(slider, start);
  MoveTo(slider, middle);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 50);
  MoveTo(slider, {channel.right + 30, start.y});  // past the end
  Up(slider, {channel.right + 30, start.y});
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 100);
  ASSERT_EQ(ScrollCodes(),
            (std::vector<WORD>{TB_THUMBTRACK, TB_THUMBTRACK, TB_THUMBPOSITION, TB_ENDTRACK}));
  EXPECT_EQ(scrolls_[0].position, 50);
  EXPECT_EQ(scrolls_[1].position, 100);
  EXPECT_EQ(scrolls_[2].position, 100);
  for (const auto& scroll : scrolls_) {
    EXPECT_EQ(scroll.message, WM_HSCROLL);
    EXPECT_EQ(scroll.from, slider);
  }
}

TEST_F(TrackbarTest, TapsOnTheChannelPageTowardTheStylus) {
  HWND slider = MakeSlider();
  SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendMessage(slider, TBM_SETPOS, TRUE, 50);
  SendMessage(slider, TBM_SETPAGESIZE, 0, 10);
  EXPECT_EQ(SendMessage(slider, TBM_GETPAGESIZE, 0, 0), 10);
  const RECT thumb = ThumbOf(slider);
  Tap(slider, {thumb.right + 20, CentreOf(thumb).y});
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 60);
  Tap(slider, {5, CentreOf(thumb).y});
  Tap(slider, {5, CentreOf(thumb).y});
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(ScrollCodes(), (std::vector<WORD>{TB_PAGEDOWN, TB_ENDTRACK, TB_PAGEUP, TB_ENDTRACK,
                                              TB_PAGEUP, TB_ENDTRACK}));
}

TEST_F(TrackbarTest, ArrowKeysStepByTheLineSize) {
  HWND slider = MakeSlider();
  SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 20));
  SendMessage(slider, TBM_SETLINESIZE, 0, 2);
  SetFocus(slider);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 4);
  Key(VK_LEFT);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 2);
  Key(VK_END);
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 20);
  EXPECT_EQ(ScrollCodes(), (std::vector<WORD>{TB_LINEDOWN, TB_ENDTRACK, TB_LINEDOWN, TB_ENDTRACK,
                                              TB_LINEUP, TB_ENDTRACK, TB_BOTTOM, TB_ENDTRACK}));
}

TEST_F(TrackbarTest, AVerticalTrackbarReportsWithVerticalScrollMessages) {
  HWND slider = MakeSlider(TBS_VERT);
  SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  RECT channel;
  SendMessage(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  EXPECT_GT(channel.bottom - channel.top, channel.right - channel.left);
  const POINT start = CentreOf(ThumbOf(slider));
  Drag(slider, start, {start.x, channel.bottom});
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 10);
  ASSERT_FALSE(scrolls_.empty());
  for (const auto& scroll : scrolls_) EXPECT_EQ(scroll.message, WM_VSCROLL);
}

TEST_F(TrackbarTest, ADisabledTrackbarIgnoresTheStylus) {
  HWND slider = MakeSlider();
  SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  EnableWindow(slider, FALSE);
  const POINT start = CentreOf(ThumbOf(slider));
  Drag(slider, start, {190, start.y});
  EXPECT_EQ(SendMessage(slider, TBM_GETPOS, 0, 0), 0);
  EXPECT_TRUE(scrolls_.empty());
}

TEST_F(TrackbarTest, TheThumbIsDrawnWhereThePositionIs) {
  HWND slider = MakeSlider();
  SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendMessage(slider, TBM_SETPOS, TRUE, 100);
  const RECT thumb = ThumbOf(slider);
  // The thumb's face where it stands, the channel's white where it was.
  EXPECT_EQ(ColourAt(slider, CentreOf(thumb)), Shown(GetSysColor(COLOR_BTNFACE)));
  RECT channel;
  SendMessage(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  EXPECT_EQ(ColourAt(slider, {channel.left + 1, (channel.top + channel.bottom) / 2}),
            Shown(GetSysColor(COLOR_WINDOW)));
}

}  // namespace
}  // namespace platform
