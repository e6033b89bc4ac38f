#include <gtest/gtest.h>

#include "control_test_fixture.h"

namespace platform::testing {
namespace {

constexpr int kLog = 1000;

class ListBoxTest : public ControlTest {
 protected:
  HWND MakeList(DWORD style, int height = 100) {
    return Make("LISTBOX", "", style, 10, 10, 200, height, kLog);
  }
  static void Add(HWND list, const char* text) {
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  static std::string ItemText(HWND list, int index) {
    const LRESULT length = SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return "<none>";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
  }
  static int RowHeight(HWND list) {
    return static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  }
};

TEST_F(ListBoxTest, ItemsAreAddedInsertedAndDeleted) {
  HWND list = MakeList(0);
  Add(list, "searching");
  Add(list, "connected");
  EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("loading")), 1);
  EXPECT_EQ(
      SendMessage(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("done")),
      3);
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(ItemText(list, 1), "loading");
  EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("x")), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 0, 0), 3);
  EXPECT_EQ(ItemText(list, 0), "loading");
  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 7, 0), LB_ERR);
  EXPECT_EQ(ItemText(list, 5), "<none>");
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ListBoxTest, ItemDataStaysWithItsItem) {
  HWND list = MakeList(0);
  Add(list, "a");
  Add(list, "b");
  EXPECT_EQ(SendMessage(list, LB_SETITEMDATA, 1, 4711), LB_OKAY);
  SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("first"));
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 2, 0), 4711);
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 5, 0), LB_ERR);
}

TEST_F(ListBoxTest, SortedListKeepsItemsInOrderWithoutCase) {
  HWND list = MakeList(LBS_SORT);
  Add(list, "pear");
  Add(list, "Apple");
  EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("banana")), 1);
  EXPECT_EQ(ItemText(list, 0), "Apple");
  EXPECT_EQ(ItemText(list, 2), "pear");
  EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>("PEAR")),
            2);
  EXPECT_EQ(
      SendMessage(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("ban")),
      1);
}

TEST_F(ListBoxTest, SelectionFollowsInsertionsAndDeletions) {
  HWND list = MakeList(0);
  Add(list, "a");
  Add(list, "b");
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 1, 0), 1);
  SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("new"));
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  SendMessage(list, LB_DELETESTRING, 2, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
}

TEST_F(ListBoxTest, TapSelectsTheRowAndNotifiesWhenAskedTo) {
  HWND list = MakeList(LBS_NOTIFY);
  for (const char* text : {"zero", "one", "two"}) Add(list, text);
  const int row = RowHeight(list);
  Tap(list, 20, row + row / 2);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(CountOf(kLog, LBN_SELCHANGE), 1);
  EXPECT_EQ(CountOf(kLog, LBN_SETFOCUS), 1);
  // A tap on the selected row changes nothing.
  Wait(1000);
  Tap(list, 20, row + row / 2);
  EXPECT_EQ(CountOf(kLog, LBN_SELCHANGE), 1);
  // The selected row is drawn highlighted.
  EXPECT_EQ(ScreenPixel(list, 150, row + row / 2), Shown(GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(ListBoxTest, WithoutNotifyStyleTapsSelectSilently) {
  HWND list = MakeList(0);
  Add(list, "zero");
  Add(list, "one");
  Tap(list, 20, 2);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(Notifications(kLog).empty());
}

TEST_F(ListBoxTest, DoubleTapNotifiesOnlyWithinTheDoubleTapTime) {
  HWND list = MakeList(LBS_NOTIFY);
  Add(list, "zero");
  Add(list, "one");
  Tap(list, 20, 2);
  Wait(100);
  Tap(list, 21, 3);
  EXPECT_EQ(CountOf(kLog, LBN_DBLCLK), 1);
  Wait(2000);
  Tap(list, 20, 2);
  Wait(600);
  Tap(list, 20, 2);
  EXPECT_EQ(CountOf(kLog, LBN_DBLCLK), 1);
}

TEST_F(ListBoxTest, ArrowKeysMoveTheSelection) {
  HWND list = MakeList(LBS_NOTIFY);
  for (const char* text : {"a", "b", "c"}) Add(list, text);
  SetFocus(list);
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  Key(VK_HOME);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(CountOf(kLog, LBN_SELCHANGE), 4);
}

TEST_F(ListBoxTest, TopIndexScrollsAndSelectionIsBroughtIntoView) {
  HWND list = MakeList(WS_VSCROLL, 60);
  for (int i = 0; i < 20; ++i) Add(list, ("line " + std::to_string(i)).c_str());
  const int visible = 60 / RowHeight(list);
  EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 5, 0), LB_OKAY);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 5);
  EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 20, 0), LB_ERR);
  SendMessage(list, LB_SETTOPINDEX, 19, 0);  // no further than the last page
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 20 - visible);
  SendMessage(list, LB_SETCURSEL, 2, 0);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 2);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
  EXPECT_EQ(info.nMax, 19);
  EXPECT_EQ(info.nPage, static_cast<UINT>(visible));
  EXPECT_EQ(info.nPos, 2);
}

TEST_F(ListBoxTest, VerticalBarShowsOnlyWhenTheRowsDoNotFit) {
  HWND list = MakeList(WS_VSCROLL, 60);
  Add(list, "only");
  // No bar: the row is highlighted across the whole width.
  SendMessage(list, LB_SETCURSEL, 0, 0);
  EXPECT_EQ(ScreenPixel(list, 195, 2), Shown(GetSysColor(COLOR_HIGHLIGHT)));
  for (int i = 0; i < 10; ++i) Add(list, "more");
  EXPECT_NE(ScreenPixel(list, 195, 2), Shown(GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(ListBoxTest, TapOnTheBarArrowScrollsOneRow) {
  HWND list = MakeList(WS_VSCROLL | LBS_NOTIFY, 60);
  for (int i = 0; i < 20; ++i) Add(list, "row");
  RECT client;
  GetClientRect(list, &client);
  Tap(list, client.right - 5, client.bottom - 4);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 1);
  Tap(list, client.right - 5, 3);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0);
  // The bar is no row: nothing was selected.
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListBoxTest, HorizontalExtentGivesABarThatScrollsSideways) {
  HWND list = MakeList(WS_HSCROLL | WS_VSCROLL, 100);
  Add(list, "a line of the log that is much wider than the list box itself");
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  SendMessage(list, LB_SETHORIZONTALEXTENT, 2000, 0);
  EXPECT_EQ(SendMessage(list, LB_GETHORIZONTALEXTENT, 0, 0), 2000);
  ASSERT_TRUE(GetScrollInfo(list, SB_HORZ, &info));
  EXPECT_EQ(info.nMax, 1999);
  EXPECT_EQ(info.nPos, 0);
  RECT client;
  GetClientRect(list, &client);
  // The right arrow of the bar along the bottom.
  Tap(list, client.right - 5, client.bottom - 4);
  ASSERT_TRUE(GetScrollInfo(list, SB_HORZ, &info));
  EXPECT_GT(info.nPos, 0);
  // The page area scrolls by the list's width.
  const int after_line = info.nPos;
  Tap(list, client.right / 2 + 40, client.bottom - 4);
  ASSERT_TRUE(GetScrollInfo(list, SB_HORZ, &info));
  EXPECT_GT(info.nPos, after_line + 100);
}

TEST_F(ListBoxTest, DraggingTheThumbScrollsTheRows) {
  HWND list = MakeList(WS_VSCROLL, 100);
  for (int i = 0; i < 40; ++i) Add(list, "row");
  RECT client;
  GetClientRect(list, &client);
  const int x = client.right - 6;
  Press(list, x, 16);  // the thumb, just below the up arrow
  MoveTo(list, x, client.bottom - 16);
  EXPECT_GT(SendMessage(list, LB_GETTOPINDEX, 0, 0), 20);
  Lift(list, x, client.bottom - 16);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), GetScrollPos(list, SB_VERT));
}

}  // namespace
}  // namespace platform::testing
