#include <gtest/gtest.h>

#include "control_test_fixture.h"
#include "platform/dialogs.h"
#include "platform/window_paint.h"

namespace platform::testing {
namespace {

constexpr int kOk = 1;
constexpr int kShutter = 1601;

class ButtonTest : public ControlTest {};

TEST_F(ButtonTest, SystemClassesExistBeforeAnyRegistration) {
  WNDCLASS info;
  for (const char* name : {"BUTTON", "Static", "edit", "ListBox", "COMBOBOX", "scrollbar"}) {
    EXPECT_TRUE(GetClassInfo(nullptr, name, &info)) << name;
  }
}

TEST_F(ButtonTest, TapOnPushButtonTellsParentClicked) {
  HWND button = Make("BUTTON", "OK", BS_PUSHBUTTON, 10, 10, 60, 24, kOk);
  Tap(button, 30, 12);
  ASSERT_EQ(Notifications(kOk), std::vector<WORD>{BN_CLICKED});
  const auto commands = ReceivedBy(parent_, WM_COMMAND);
  EXPECT_EQ(commands.back().lparam, reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(GetFocus(), button);
}

TEST_F(ButtonTest, PressShowsPushedUntilLiftedAndDraggingOffCancels) {
  HWND button = Make("BUTTON", "OK", BS_PUSHBUTTON, 10, 10, 60, 24, kOk);
  Press(button, 30, 12);
  EXPECT_TRUE(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  MoveTo(button, 100, 100);  // off the button
  EXPECT_FALSE(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  Lift(button, 100, 100);
  EXPECT_TRUE(Notifications(kOk).empty());
  EXPECT_FALSE(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
}

TEST_F(ButtonTest, PressedButtonIsDrawnInverted) {
  HWND button = Make("BUTTON", "", BS_PUSHBUTTON, 10, 10, 60, 24, kOk);
  const COLORREF idle = ScreenPixel(button, 30, 12);
  Press(button, 30, 12);
  const COLORREF pressed = ScreenPixel(button, 30, 12);
  EXPECT_NE(idle, pressed);
  Lift(button, 30, 12);
  EXPECT_EQ(ScreenPixel(button, 30, 12), idle);
}

TEST_F(ButtonTest, OwnerDrawnButtonIsDrawnByParentWithSelectedStateWhilePressed) {
  std::vector<UINT> states;
  RegisterRecordingClass("OwnerParent",
                         [&](HWND, UINT message, WPARAM, LPARAM l) -> std::optional<LRESULT> {
                           if (message != WM_DRAWITEM) return std::nullopt;
                           const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
                           EXPECT_EQ(item->CtlType, ODT_BUTTON);
                           EXPECT_EQ(item->CtlID, static_cast<UINT>(kShutter));
                           EXPECT_NE(item->hDC, nullptr);
                           EXPECT_EQ(item->rcItem.right, 49);
                           states.push_back(item->itemState);
                           return TRUE;
                         });
  HWND owner = CreateWindow("OwnerParent", "", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr,
                            nullptr, nullptr);
  HWND button = CreateWindowEx(
      WS_EX_NOACTIVATE, "BUTTON", "Shutter", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 174, 21, 49, 49,
      owner, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kShutter)), nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  screen::Compose();
  ASSERT_FALSE(states.empty());
  EXPECT_FALSE(states.back() & ODS_SELECTED);
  Press(button, 20, 20);
  screen::Compose();
  EXPECT_TRUE(states.back() & ODS_SELECTED);
  Lift(button, 20, 20);
  screen::Compose();
  EXPECT_FALSE(states.back() & ODS_SELECTED);
  int clicks = 0;
  for (const Received& r : ReceivedBy(owner, WM_COMMAND)) {
    clicks += (LOWORD(r.wparam) == kShutter && HIWORD(r.wparam) == BN_CLICKED) ? 1 : 0;
  }
  EXPECT_EQ(clicks, 1);
  // A no-activate button leaves the focus where it was.
  EXPECT_NE(GetFocus(), button);
}

TEST_F(ButtonTest, DefaultPushButtonAnswersDialogCodeAndChangesWithSetStyle) {
  HWND button = Make("BUTTON", "OK", BS_DEFPUSHBUTTON, 10, 10, 60, 24, kOk);
  EXPECT_TRUE(SendMessage(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
  const COLORREF thick = ScreenPixel(button, 1, 12);  // second frame line
  SendMessage(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_TRUE(SendMessage(button, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLong(button, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG_PTR>(BS_PUSHBUTTON));
  EXPECT_NE(ScreenPixel(button, 1, 12), thick);
}

TEST_F(ButtonTest, SpaceKeyClicksFocusedButton) {
  HWND button = Make("BUTTON", "OK", BS_PUSHBUTTON, 10, 10, 60, 24, kOk);
  SetFocus(button);
  Key(VK_SPACE);
  EXPECT_EQ(Notifications(kOk), std::vector<WORD>{BN_CLICKED});
}

TEST_F(ButtonTest, DisabledButtonTakesNoTapAndIsGreyed) {
  HWND button = Make("BUTTON", "OK", BS_PUSHBUTTON, 10, 10, 60, 24, kOk);
  EnableWindow(button, FALSE);
  Tap(button, 30, 12);
  EXPECT_TRUE(Notifications(kOk).empty());
  SendMessage(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(Notifications(kOk).empty());
  // The frame is drawn in the grey of disabled text, not black.
  EXPECT_EQ(ScreenPixel(button, 0, 12), Shown(GetSysColor(COLOR_GRAYTEXT)));
}

TEST_F(ButtonTest, AutoCheckBoxTogglesOnEachTap) {
  HWND check = Make("BUTTON", "Histogram", BS_AUTOCHECKBOX, 10, 10, 120, 20, 1003);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Tap(check, 5, 10);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  Tap(check, 60, 10);  // the label counts too
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(CountOf(1003, BN_CLICKED), 2);
}

TEST_F(ButtonTest, PlainCheckBoxLeavesTheCheckToItsParent) {
  HWND check = Make("BUTTON", "Manual", BS_CHECKBOX, 10, 10, 120, 20, 1004);
  Tap(check, 5, 10);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(CountOf(1004, BN_CLICKED), 1);
  SendMessage(check, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(check, BM_GETSTATE, 0, 0) & BST_CHECKED, BST_CHECKED);
}

TEST_F(ButtonTest, CheckMarkIsDrawn) {
  HWND check = Make("BUTTON", "", BS_AUTOCHECKBOX, 10, 10, 120, 20, 1003);
  const RECT inside{4, 7, 12, 14};
  EXPECT_FALSE(HasInk(check, inside));
  Tap(check, 5, 10);
  EXPECT_TRUE(HasInk(check, inside));
}

TEST_F(ButtonTest, AutoThreeStateCyclesThroughIndeterminate) {
  HWND check = Make("BUTTON", "Both", BS_AUTO3STATE, 10, 10, 120, 20, 7);
  Tap(check, 5, 10);
  Tap(check, 5, 10);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  Tap(check, 5, 10);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonTest, AutoRadioButtonsUncheckOthersOfTheirGroupOnly) {
  HWND size_large = Make("BUTTON", "320x240", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 100, 20, 1001);
  HWND size_small = Make("BUTTON", "160x120", BS_AUTORADIOBUTTON, 10, 32, 100, 20, 1002);
  HWND audio_off = Make("BUTTON", "Off", BS_AUTORADIOBUTTON | WS_GROUP, 10, 70, 100, 20, 1003);
  HWND audio_on = Make("BUTTON", "On", BS_AUTORADIOBUTTON, 10, 92, 100, 20, 1004);
  SendMessage(size_large, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(audio_off, BM_SETCHECK, BST_CHECKED, 0);
  Tap(size_small, 5, 10);
  EXPECT_EQ(SendMessage(size_small, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(size_large, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessage(audio_off, BM_GETCHECK, 0, 0), BST_CHECKED);
  Tap(audio_on, 5, 10);
  EXPECT_EQ(SendMessage(audio_off, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessage(size_small, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(CountOf(1002, BN_CLICKED), 1);
  EXPECT_EQ(CountOf(1004, BN_CLICKED), 1);
}

TEST_F(ButtonTest, GroupBoxMadeAfterItsRadiosStaysBelowThem) {
  HWND first = Make("BUTTON", "Off", BS_AUTORADIOBUTTON | WS_GROUP, 10, 20, 100, 20, 1003);
  HWND second = Make("BUTTON", "On", BS_AUTORADIOBUTTON, 10, 44, 100, 20, 1004);
  HWND group = Make("BUTTON", "Audio", BS_GROUPBOX, 4, 4, 200, 70, 1116);
  Tap(second, 5, 10);
  EXPECT_EQ(SendMessage(second, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // Taps on the frame's empty inside reach the parent, not the frame.
  ClearReceived();
  Tap(group, 150, 30);
  EXPECT_FALSE(ReceivedBy(parent_, WM_LBUTTONDOWN).empty());
  EXPECT_TRUE(Notifications(1116).empty());
  // The caption is drawn.
  EXPECT_TRUE(HasInk(group, RECT{8, 0, 40, 12}));
}

}  // namespace
}  // namespace platform::testing
