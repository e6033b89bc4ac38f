#include <gtest/gtest.h>

#include "control_test_fixture.h"

namespace platform::testing {
namespace {

constexpr int kSort = 1001;

class ComboBoxTest : public ControlTest {
 protected:
  HWND MakeCombo(int y = 10, DWORD style = 0) {
    HWND combo =
        Make("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | style, 10, y, 150, 100, kSort);
    for (const char* text : {"Name", "Date", "Size", "Type"}) {
      SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    return combo;
  }
  static HWND OpenList() { return FindWindow("ComboLBox", std::nullopt); }
  static std::string Chosen(HWND combo) { return GetWindowText(combo); }
};

TEST_F(ComboBoxTest, ItemsSelectionAndDataThroughMessages) {
  HWND combo = MakeCombo();
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(Chosen(combo), "Size");
  char text[16];
  EXPECT_EQ(SendMessage(combo, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text)), 4);
  EXPECT_STREQ(text, "Type");
  EXPECT_EQ(SendMessage(combo, CB_GETLBTEXTLEN, 9, 0), CB_ERR);
  SendMessage(combo, CB_SETITEMDATA, 1, 11025);
  EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 1, 0), 11025);
  EXPECT_EQ(SendMessage(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("First")), 0);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 9, 0), CB_ERR);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  SendMessage(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboBoxTest, WindowKeepsOnlyTheBoxHeight) {
  HWND combo = MakeCombo();
  RECT box;
  GetWindowRect(combo, &box);
  EXPECT_LT(box.bottom - box.top, 40);
  RECT dropped;
  SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_EQ(dropped.bottom - dropped.top, 100);
}

TEST_F(ComboBoxTest, TapOpensTheListAndTapOnARowChoosesIt) {
  HWND combo = MakeCombo();
  SendMessage(combo, CB_SETCURSEL, 0, 0);
  Tap(combo, 20, 8);
  HWND list = OpenList();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Notifications(kSort), (std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN}));
  // The list lies just below the box and has every item.
  RECT box, shown;
  GetWindowRect(combo, &box);
  GetWindowRect(list, &shown);
  EXPECT_EQ(shown.top, box.bottom);
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 4);
  const int row = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  ClearReceived();
  Tap(list, 20, 2 * row + row / 2);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Chosen(combo), "Size");
  EXPECT_EQ(Notifications(kSort), (std::vector<WORD>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  EXPECT_EQ(OpenList(), nullptr);
  EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(ComboBoxTest, ChoosingTheSameRowAgainIsNoSelectionChange) {
  HWND combo = MakeCombo();
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  Tap(combo, 20, 8);
  HWND list = OpenList();
  ASSERT_NE(list, nullptr);
  const int row = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  Tap(list, 20, row + row / 2);
  EXPECT_EQ(CountOf(kSort, CBN_SELCHANGE), 0);
  EXPECT_EQ(CountOf(kSort, CBN_CLOSEUP), 1);
}

TEST_F(ComboBoxTest, TapOutsideClosesTheListWithoutAChoice) {
  HWND combo = MakeCombo();
  HWND other = Make("BUTTON", "Other", BS_PUSHBUTTON, 10, 200, 60, 24, 77);
  Tap(combo, 20, 8);
  ASSERT_NE(OpenList(), nullptr);
  ClearReceived();
  Tap(other, 5, 5);
  EXPECT_EQ(OpenList(), nullptr);
  EXPECT_EQ(Notifications(kSort), (std::vector<WORD>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  // The closing tap is not also a click on what lay under it.
  EXPECT_TRUE(Notifications(77).empty());
  // A second tap on the box opens it again, a tap on the box closes it.
  Tap(combo, 20, 8);
  EXPECT_NE(OpenList(), nullptr);
  Tap(combo, 20, 8);
  EXPECT_EQ(OpenList(), nullptr);
}

TEST_F(ComboBoxTest, ListOpensAboveWhenThereIsNoRoomBelow) {
  HWND combo = MakeCombo(230);
  Tap(combo, 20, 8);
  HWND list = OpenList();
  ASSERT_NE(list, nullptr);
  RECT box, shown;
  GetWindowRect(combo, &box);
  GetWindowRect(list, &shown);
  EXPECT_EQ(shown.bottom, box.top);
}

TEST_F(ComboBoxTest, LongListScrollsInsideTheOpenList) {
  HWND combo = Make("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 150, 80, 1048);
  for (int i = 0; i < 23; ++i) {
    SendMessage(combo, CB_ADDSTRING, 0,
                reinterpret_cast<LPARAM>(("Effect " + std::to_string(i)).c_str()));
  }
  Tap(combo, 20, 8);
  HWND list = OpenList();
  ASSERT_NE(list, nullptr);
  RECT client;
  GetClientRect(list, &client);
  Tap(list, client.right - 5, client.bottom - 4);  // the bar's down arrow
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_NE(OpenList(), nullptr);  // still open after using the bar
  const int row = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  Tap(list, 20, row / 2);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(ComboBoxTest, ArrowKeysChangeTheChoice) {
  HWND combo = MakeCombo();
  SetFocus(combo);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(CountOf(kSort, CBN_SELCHANGE), 2);
}

TEST_F(ComboBoxTest, SortedComboKeepsOrder) {
  HWND combo = Make("COMBOBOX", "", CBS_DROPDOWNLIST | CBS_SORT, 10, 10, 150, 100, 5);
  SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("PCM"));
  EXPECT_EQ(SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("GSM 6.10")), 0);
}

}  // namespace
}  // namespace platform::testing
