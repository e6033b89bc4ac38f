#include <gtest/gtest.h>

#include "control_test_fixture.h"

namespace platform::testing {
namespace {

constexpr int kStrip = 1111;

class ScrollBarTest : public ControlTest {
 protected:
  struct Request {
    WORD code;
    WORD position;
  };
  // The requests the parent received as `message` from the bar.
  std::vector<Request> Requests(UINT message, HWND bar) const {
    std::vector<Request> requests;
    for (const Received& r : ReceivedBy(parent_, message)) {
      if (r.lparam == reinterpret_cast<LPARAM>(bar)) {
        requests.push_back({LOWORD(r.wparam), HIWORD(r.wparam)});
      }
    }
    return requests;
  }
  std::vector<WORD> Codes(UINT message, HWND bar) const {
    std::vector<WORD> codes;
    for (const Request& r : Requests(message, bar)) codes.push_back(r.code);
    return codes;
  }
  HWND MakeVertical() {
    HWND bar = Make("SCROLLBAR", "", SBS_VERT, 200, 10, 13, 150, 1);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 0;
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    return bar;
  }
};

TEST_F(ScrollBarTest, PositionIsKeptWithinTheRangeLessThePage) {
  HWND bar = MakeVertical();
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = 500;
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 90);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 90);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, -4, TRUE), 90);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
  int minimum = -1, maximum = -1;
  ASSERT_TRUE(SetScrollRange(bar, SB_CTL, 0, 5, TRUE));
  ASSERT_TRUE(GetScrollRange(bar, SB_CTL, &minimum, &maximum));
  EXPECT_EQ(minimum, 0);
  EXPECT_EQ(maximum, 5);
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &info));
  EXPECT_EQ(info.nPage, 10u);
  EXPECT_EQ(info.nPos, 0);
}

TEST_F(ScrollBarTest, ControlStartsWithAnEmptyRange) {
  HWND bar = Make("SCROLLBAR", "", SBS_HORZ, 0, 248, 240, 20, kStrip);
  int minimum = -1, maximum = -1;
  ASSERT_TRUE(GetScrollRange(bar, SB_CTL, &minimum, &maximum));
  EXPECT_EQ(minimum, 0);
  EXPECT_EQ(maximum, 0);
  // Nothing to scroll: taps on the arrows still ask, the page areas are gone.
  Tap(bar, 120, 10);
  EXPECT_TRUE(Codes(WM_HSCROLL, bar).empty());
}

TEST_F(ScrollBarTest, ArrowTapsAskForALineAndEndTheScroll) {
  HWND bar = MakeVertical();
  Tap(bar, 6, 145);
  EXPECT_EQ(Codes(WM_VSCROLL, bar), (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
  ClearReceived();
  Tap(bar, 6, 4);
  EXPECT_EQ(Codes(WM_VSCROLL, bar), (std::vector<WORD>{SB_LINEUP, SB_ENDSCROLL}));
  // The bar itself does not move: the parent does that.
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
}

TEST_F(ScrollBarTest, TapsBesideTheThumbAskForAPage) {
  HWND bar = MakeVertical();
  SetScrollPos(bar, SB_CTL, 50, TRUE);
  Tap(bar, 6, 130);
  Tap(bar, 6, 20);
  EXPECT_EQ(Codes(WM_VSCROLL, bar),
            (std::vector<WORD>{SB_PAGEDOWN, SB_ENDSCROLL, SB_PAGEUP, SB_ENDSCROLL}));
}

TEST_F(ScrollBarTest, HorizontalBarTellsWithHorizontalRequests) {
  HWND bar = Make("SCROLLBAR", "", SBS_HORZ, 0, 248, 240, 20, kStrip);
  SetScrollRange(bar, SB_CTL, 0, 7, TRUE);
  Tap(bar, 235, 10);
  EXPECT_EQ(Codes(WM_HSCROLL, bar), (std::vector<WORD>{SB_LINERIGHT, SB_ENDSCROLL}));
  EXPECT_TRUE(Codes(WM_VSCROLL, bar).empty());
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksAndReportsWhereItWasLetGo) {
  HWND bar = MakeVertical();
  // The thumb starts right under the up arrow.
  Press(bar, 6, 16);
  MoveTo(bar, 6, 60);
  MoveTo(bar, 6, 300);  // far below: the end
  SCROLLINFO info;
  info.fMask = SIF_TRACKPOS | SIF_POS;
  ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &info));
  EXPECT_EQ(info.nTrackPos, 90);
  EXPECT_EQ(info.nPos, 0);
  Lift(bar, 6, 300);
  const auto requests = Requests(WM_VSCROLL, bar);
  ASSERT_GE(requests.size(), 4u);
  EXPECT_EQ(requests[0].code, SB_THUMBTRACK);
  EXPECT_GT(requests[0].position, 0);
  EXPECT_LT(requests[0].position, 90);
  EXPECT_EQ(requests[requests.size() - 2].code, SB_THUMBPOSITION);
  EXPECT_EQ(requests[requests.size() - 2].position, 90);
  EXPECT_EQ(requests.back().code, SB_ENDSCROLL);
}

TEST_F(ScrollBarTest, HeldArrowRepeatsOnTheClock) {
  HWND bar = MakeVertical();
  Press(bar, 6, 145);
  EXPECT_EQ(Codes(WM_VSCROLL, bar).size(), 1u);
  Wait(300);
  EXPECT_EQ(Codes(WM_VSCROLL, bar).size(), 1u);
  Wait(100);
  EXPECT_EQ(Codes(WM_VSCROLL, bar).size(), 2u);
  Wait(100);
  Wait(100);
  EXPECT_EQ(Codes(WM_VSCROLL, bar).size(), 4u);
  // Sliding off the arrow stops the repeat; lifting ends the scroll.
  MoveTo(bar, 6, 70);
  Wait(300);
  EXPECT_EQ(Codes(WM_VSCROLL, bar).size(), 4u);
  Lift(bar, 6, 70);
  EXPECT_EQ(Codes(WM_VSCROLL, bar).back(), SB_ENDSCROLL);
  Wait(500);
  EXPECT_EQ(Codes(WM_VSCROLL, bar).size(), 5u);
}

TEST_F(ScrollBarTest, WindowsKeepTheNumbersOfTheirOwnBars) {
  RegisterRecordingClass("Scrolled");
  HWND scrolled = CreateWindow("Scrolled", "", WS_VISIBLE | WS_VSCROLL, 0, 26, 240, 200, nullptr,
                               nullptr, nullptr, nullptr);
  HWND plain =
      CreateWindow("Scrolled", "", WS_VISIBLE, 0, 26, 240, 200, nullptr, nullptr, nullptr, nullptr);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(scrolled, SB_VERT, &info));
  EXPECT_EQ(info.nMax, 100);  // the default range of a window's bar
  EXPECT_FALSE(GetScrollInfo(plain, SB_VERT, &info));
  SetScrollRange(scrolled, SB_VERT, 0, 20, TRUE);
  EXPECT_EQ(SetScrollPos(scrolled, SB_VERT, 7, TRUE), 0);
  EXPECT_EQ(GetScrollPos(scrolled, SB_VERT), 7);
  EXPECT_EQ(GetScrollPos(scrolled, SB_HORZ), 0);
  EXPECT_FALSE(GetScrollInfo(nullptr, SB_VERT, &info));
  EXPECT_FALSE(GetScrollInfo(scrolled, 9, &info));
}

}  // namespace
}  // namespace platform::testing
