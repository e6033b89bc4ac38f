// The stylus reaches the window under it; capture keeps it during drags.
#include "platform/input.h"
#include "window_test_fixture.h"

namespace platform {
namespace {

class InputRoutingTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    RegisterRecordingClass("Frame");
    top_ =
        CreateWindow("Frame", "", WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr, nullptr, nullptr);
    // The camera's bar button place.
    button_ = CreateWindow("Frame", "", WS_CHILD | WS_VISIBLE, 174, 175, 49, 49, top_,
                           reinterpret_cast<HMENU>(1601), nullptr, nullptr);
    Pump();
    received_.clear();
  }
  std::vector<testing::Received> Taps() const {
    std::vector<testing::Received> taps;
    for (const testing::Received& r : received_) {
      if (r.message >= WM_MOUSEFIRST && r.message <= WM_MOUSELAST) taps.push_back(r);
    }
    return taps;
  }
  void Tap(int x, int y) {
    input::StylusDown(x, y);
    input::StylusUp(x, y);
    Pump();
  }

  HWND top_ = nullptr;
  HWND button_ = nullptr;
};

TEST_F(InputRoutingTest, ATapAtAChildsPlaceReachesTheChildInClientCoordinates) {
  Tap(180, 210);
  const auto taps = Taps();
  ASSERT_EQ(taps.size(), 2u);
  EXPECT_EQ(taps[0].hwnd, button_);
  EXPECT_EQ(taps[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(taps[0].wparam, MK_LBUTTON);
  EXPECT_EQ(GET_X_LPARAM(taps[0].lparam), 6);
  EXPECT_EQ(GET_Y_LPARAM(taps[0].lparam), 9);
  EXPECT_EQ(taps[1].message, WM_LBUTTONUP);
  EXPECT_EQ(taps[1].hwnd, button_);
  // Beside the child the parent gets it.
  received_.clear();
  Tap(10, 40);
  ASSERT_EQ(Taps().size(), 2u);
  EXPECT_EQ(Taps()[0].hwnd, top_);
  EXPECT_EQ(GET_Y_LPARAM(Taps()[0].lparam), 14);
}

TEST_F(InputRoutingTest, ATapOnADisabledChildReachesNobody) {
  EnableWindow(button_, FALSE);
  EXPECT_FALSE(IsWindowEnabled(button_));
  Tap(180, 210);
  EXPECT_TRUE(Taps().empty());
  EnableWindow(button_, TRUE);
  Tap(180, 210);
  EXPECT_EQ(Taps().size(), 2u);
}

TEST_F(InputRoutingTest, HiddenWindowsAreSkipped) {
  ShowWindow(button_, SW_HIDE);
  Tap(180, 210);
  ASSERT_EQ(Taps().size(), 2u);
  EXPECT_EQ(Taps()[0].hwnd, top_);
}

TEST_F(InputRoutingTest, CaptureKeepsTheStylusDuringADrag) {
  input::StylusDown(180, 210);
  Pump();
  SetCapture(button_);
  input::StylusMove(20, 40);
  input::StylusUp(20, 40);
  Pump();
  ReleaseCapture();
  const auto taps = Taps();
  ASSERT_EQ(taps.size(), 3u);
  for (const auto& tap : taps) EXPECT_EQ(tap.hwnd, button_);
  EXPECT_EQ(GET_X_LPARAM(taps[2].lparam), 20 - 174);  // outside: negative
  EXPECT_EQ(ReceivedBy(button_, WM_CAPTURECHANGED).size(), 1u);
}

TEST_F(InputRoutingTest, ATapActivatesAnInactiveWindowUnlessItMayNotBeActivated) {
  HWND other = CreateWindow("Frame", "", WS_POPUP | WS_VISIBLE, 0, 200, 240, 50, nullptr, nullptr,
                            nullptr, nullptr);
  EXPECT_EQ(GetForegroundWindow(), other);
  Tap(10, 40);
  EXPECT_EQ(GetForegroundWindow(), top_);
  HWND tool = CreateWindowEx(WS_EX_NOACTIVATE, "Frame", "", WS_POPUP | WS_VISIBLE, 0, 60, 50, 20,
                             nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(GetForegroundWindow(), top_);
  Tap(5, 65);
  EXPECT_EQ(GetForegroundWindow(), top_);
  EXPECT_EQ(ReceivedBy(tool, WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(InputRoutingTest, TheTaskBarIsNotAWindowsToTap) {
  HWND full = CreateWindow("Frame", "", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                           nullptr, nullptr);
  Tap(100, 10);
  EXPECT_TRUE(Taps().empty());
  (void)full;
}

}  // namespace
}  // namespace platform
