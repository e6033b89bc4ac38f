#include <gtest/gtest.h>

#include "control_test_fixture.h"

namespace platform::testing {
namespace {

constexpr int kName = 1107;

class StaticTest : public ControlTest {};

TEST_F(StaticTest, NotifyingLabelReportsATap) {
  HWND label = Make("STATIC", "snap0001.jpg", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 4, 184,
                    168, 15, kName);
  Tap(label, 10, 5);
  EXPECT_EQ(Notifications(kName), std::vector<WORD>{STN_CLICKED});
}

TEST_F(StaticTest, PlainLabelLetsTapsThroughToTheParent) {
  HWND label = Make("STATIC", "Menu", SS_LEFT, 20, 30, 100, 15, 1097);
  Tap(label, 10, 5);
  EXPECT_TRUE(Notifications(1097).empty());
  const auto downs = ReceivedBy(parent_, WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(downs[0].lparam), 30);
  EXPECT_EQ(GET_Y_LPARAM(downs[0].lparam), 35);
}

TEST_F(StaticTest, ParentChoosesBackgroundAndTextColours) {
  HBRUSH brush = CreateSolidBrush(RGB(200, 208, 216));
  RegisterRecordingClass("LabelParent",
                         [&](HWND, UINT message, WPARAM w, LPARAM) -> std::optional<LRESULT> {
                           if (message != WM_CTLCOLORSTATIC) return std::nullopt;
                           HDC dc = reinterpret_cast<HDC>(w);
                           SetTextColor(dc, RGB(0, 0, 255));
                           SetBkColor(dc, RGB(200, 208, 216));
                           return reinterpret_cast<LRESULT>(brush);
                         });
  HWND owner = CreateWindow("LabelParent", "", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr,
                            nullptr, nullptr);
  HWND label = Make("STATIC", "WWWW", SS_LEFT, 4, 4, 160, 20, 1, owner);
  EXPECT_EQ(ScreenPixel(label, 150, 10), Shown(RGB(200, 208, 216)));
  // Somewhere in the text the ink is blue.
  bool blue = false;
  for (int x = 0; x < 60 && !blue; ++x) {
    for (int y = 0; y < 16 && !blue; ++y) {
      const COLORREF c = ScreenPixel(label, x, y);
      blue = GetBValue(c) > 200 && GetRValue(c) < 120 && GetGValue(c) < 120;
    }
  }
  EXPECT_TRUE(blue);
  DestroyWindow(owner);
  DeleteObject(brush);
}

TEST_F(StaticTest, AlignmentPlacesTheText) {
  HWND left = Make("STATIC", "Hi", SS_LEFT, 10, 10, 200, 16, 1);
  HWND right = Make("STATIC", "Hi", SS_RIGHT, 10, 40, 200, 16, 2);
  HWND centre = Make("STATIC", "Hi", SS_CENTER, 10, 70, 200, 16, 3);
  EXPECT_TRUE(HasInk(left, RECT{0, 0, 30, 16}));
  EXPECT_FALSE(HasInk(left, RECT{100, 0, 200, 16}));
  EXPECT_TRUE(HasInk(right, RECT{170, 0, 200, 16}));
  EXPECT_FALSE(HasInk(right, RECT{0, 0, 100, 16}));
  EXPECT_TRUE(HasInk(centre, RECT{85, 0, 115, 16}));
  EXPECT_FALSE(HasInk(centre, RECT{0, 0, 60, 16}));
}

TEST_F(StaticTest, WrappingLabelBreaksLinesAndNoWrapLabelDoesNot) {
  const char* text = "Camera adjusts color automatically always";
  HWND wrapped = Make("STATIC", text, SS_LEFT, 10, 10, 80, 60, 1);
  HWND single = Make("STATIC", text, SS_LEFTNOWORDWRAP, 10, 100, 80, 60, 2);
  EXPECT_TRUE(HasInk(wrapped, RECT{0, 16, 80, 30}));
  EXPECT_FALSE(HasInk(single, RECT{0, 16, 80, 30}));
}

TEST_F(StaticTest, BitmapLabelShowsTheImageAtItsSize) {
  HBITMAP bitmap = CreateBitmap(12, 24, 1, 24, nullptr);  // black
  HWND grip = Make("STATIC", "", SS_BITMAP, 0, 0, 40, 40, 4010);
  EXPECT_EQ(SendMessage(grip, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
  RECT client;
  GetClientRect(grip, &client);
  EXPECT_EQ(client.right, 12);
  EXPECT_EQ(client.bottom, 24);
  EXPECT_EQ(ScreenPixel(grip, 6, 12), RGB(0, 0, 0));
  EXPECT_EQ(SendMessage(grip, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(bitmap));
  DestroyWindow(grip);
  DeleteObject(bitmap);
}

TEST_F(StaticTest, TextChangesAreShown) {
  HWND label = Make("STATIC", "", SS_LEFT, 10, 10, 100, 16, 1);
  EXPECT_FALSE(HasInk(label, RECT{0, 0, 100, 16}));
  SetWindowText(label, "Status");
  EXPECT_TRUE(HasInk(label, RECT{0, 0, 100, 16}));
  EXPECT_EQ(GetWindowText(label), "Status");
}

TEST_F(StaticTest, DisabledLabelIsGreyed) {
  HWND label = Make("STATIC", "WWWWWWW", SS_LEFT | SS_NOTIFY, 10, 10, 100, 16, 1);
  EnableWindow(label, FALSE);
  EXPECT_FALSE(HasInk(label, RECT{0, 0, 100, 16}));
  EXPECT_EQ(CountOf(1, STN_DISABLE), 1);
}

}  // namespace
}  // namespace platform::testing
