// The list view in report view, driven with the stylus and keys: columns,
// items and their texts, selection with its notifications, double taps on
// the handheld's clock, tap-and-hold, deletion and scrolling.
#include <cstring>

#include "common_controls_fixture.h"

namespace platform {
namespace {

using testing::Notice;

constexpr int kRowHeight = 18;  // 16-pixel icons and a pixel above and below
constexpr int kHeader = 18;

class ListViewTest : public testing::CommonControlsTest {
 protected:
  HWND MakeList(DWORD style = LVS_REPORT | LVS_SINGLESEL, RECT rect = {0, 0, 200, 200}) {
    HWND list = Make(WC_LISTVIEW, style, rect, 1070);
    std::string title = "Camera Settings";
    LVCOLUMN column;
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.cx = 150;
    column.pszText = title.data();
    EXPECT_EQ(SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column)), 0);
    return list;
  }
  static int Insert(HWND list, int index, std::string text, LPARAM param = 0, int image = 0) {
    LVITEM item;
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = text.data();
    item.lParam = param;
    item.iImage = image;
    return static_cast<int>(SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
  }
  static std::string TextOf(HWND list, int index, int sub_item = 0) {
    char buffer[64] = {};
    LVITEM item;
    item.iSubItem = sub_item;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessage(list, LVM_GETITEMTEXT, index, reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  static int Selected(HWND list) {
    return static_cast<int>(
        SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  // The middle of a row's text, with no scrolling.
  static POINT RowPoint(int index) { return {40, kHeader + index * kRowHeight + kRowHeight / 2}; }

  HWND FilledList(int count) {
    HWND list = MakeList();
    for (int i = 0; i < count; ++i) Insert(list, i, "Entry " + std::to_string(i), 100 + i);
    EXPECT_EQ(NoticesOf(LVN_INSERTITEM).size(), static_cast<std::size_t>(count));
    Forget();
    return list;
  }
};

TEST_F(ListViewTest, ItemsKeepTheirTextsParametersAndOrder) {
  HWND list = MakeList();
  EXPECT_EQ(Insert(list, 0, "White Balance (Auto)", 10), 0);
  EXPECT_EQ(Insert(list, 1, "Color (Full Color)", 11), 1);
  EXPECT_EQ(Insert(list, 1, "Compression (Better)", 12), 1);    // between the two
  EXPECT_EQ(Insert(list, 99, "AE Metering (Average)", 13), 3);  // past the end appends
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(TextOf(list, 1), "Compression (Better)");
  EXPECT_EQ(TextOf(list, 2), "Color (Full Color)");

  std::string changed = "Color (Negative)";
  LVITEM item;
  item.iSubItem = 0;
  item.pszText = changed.data();
  ASSERT_TRUE(SendMessage(list, LVM_SETITEMTEXT, 2, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(TextOf(list, 2), "Color (Negative)");

  LVITEM read;
  read.mask = LVIF_PARAM | LVIF_IMAGE;
  read.iItem = 2;
  ASSERT_TRUE(SendMessage(list, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&read)));
  EXPECT_EQ(read.lParam, 11);
  read.iItem = 7;
  EXPECT_FALSE(SendMessage(list, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&read)));
}

TEST_F(ListViewTest, TextsAreCutToTheCallersBuffer) {
  HWND list = MakeList();
  Insert(list, 0, "Business Card Framing Aid (Off)");
  char small[9];
  std::memset(small, 'x', sizeof(small));
  LVITEM item;
  item.pszText = small;
  item.cchTextMax = sizeof(small);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item)), 8);
  EXPECT_STREQ(small, "Business");
  // Nothing is written through a buffer of no size.
  item.cchTextMax = 0;
  small[0] = 'x';
  EXPECT_EQ(SendMessage(list, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item)), 0);
  EXPECT_EQ(small[0], 'x');
}

TEST_F(ListViewTest, ColumnsHaveWidthsAndSubItemTexts) {
  HWND list = MakeList();
  std::string version = "Version";
  LVCOLUMN column;
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 50;
  column.pszText = version.data();
  EXPECT_EQ(SendMessage(list, LVM_INSERTCOLUMN, 1, reinterpret_cast<LPARAM>(&column)), 1);
  EXPECT_TRUE(SendMessage(list, LVM_SETCOLUMNWIDTH, 0, 133));
  EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 133);
  EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 1, 0), 50);
  Insert(list, 0, "Driver");
  std::string driver_version = "1.0.0";
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.iItem = 0;
  item.iSubItem = 1;
  item.pszText = driver_version.data();
  ASSERT_TRUE(SendMessage(list, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(TextOf(list, 0, 1), "1.0.0");
  EXPECT_EQ(TextOf(list, 0, 0), "Driver");
  // The header is drawn over the top of the list.
  EXPECT_EQ(ColourAt(list, {60, 2}), Shown(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColourAt(list, {60, kHeader + 60}), Shown(GetSysColor(COLOR_WINDOW)));
}

TEST_F(ListViewTest, ATapSelectsTheRowAndTellsTheParent) {
  HWND list = FilledList(3);
  Tap(list, RowPoint(1));
  EXPECT_EQ(Selected(list), 1);
  EXPECT_EQ(Codes(), (std::vector<UINT>{NM_SETFOCUS, NM_RECOGNIZEGESTURE, LVN_ITEMCHANGING,
                                        LVN_ITEMCHANGED, NM_CLICK}));
  const Notice changed = NoticesOf(LVN_ITEMCHANGED)[0];
  EXPECT_EQ(changed.list.iItem, 1);
  EXPECT_EQ(changed.list.uNewState, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(changed.list.uOldState, 0u);
  EXPECT_EQ(changed.list.uChanged, LVIF_STATE);
  EXPECT_EQ(changed.list.lParam, 101);
  EXPECT_EQ(NoticesOf(NM_CLICK)[0].list.iItem, 1);

  // Another row takes the selection from the first.
  Forget();
  Wait(1000);
  Tap(list, RowPoint(2));
  EXPECT_EQ(Selected(list), 2);
  EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  const auto changes = NoticesOf(LVN_ITEMCHANGED);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].list.iItem, 1);
  EXPECT_EQ(changes[0].list.uNewState, 0u);
  EXPECT_EQ(changes[1].list.iItem, 2);
  // The selected row is drawn highlighted.
  EXPECT_EQ(ColourAt(list, {2, RowPoint(2).y}), Shown(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(ColourAt(list, {2, RowPoint(1).y}), Shown(GetSysColor(COLOR_WINDOW)));
}

TEST_F(ListViewTest, TheParentCanRefuseAChange) {
  HWND list = FilledList(3);
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    if (header.code != LVN_ITEMCHANGING) return std::nullopt;
    return reinterpret_cast<const NMLISTVIEW&>(header).iItem == 2;
  };
  Tap(list, RowPoint(2));
  EXPECT_EQ(Selected(list), -1);
  EXPECT_TRUE(NoticesOf(LVN_ITEMCHANGED).empty());
  Wait(1000);
  Tap(list, RowPoint(0));
  EXPECT_EQ(Selected(list), 0);
}

TEST_F(ListViewTest, ATapOnNoRowClearsTheSelection) {
  HWND list = FilledList(2);
  Tap(list, RowPoint(0));
  Wait(1000);
  Forget();
  Tap(list, RowPoint(6));
  EXPECT_EQ(Selected(list), -1);
  ASSERT_EQ(NoticesOf(NM_CLICK).size(), 1u);
  EXPECT_EQ(NoticesOf(NM_CLICK)[0].list.iItem, -1);
}

TEST_F(ListViewTest, ASecondTapSoonAndCloseIsADoubleTap) {
  HWND list = FilledList(3);
  Tap(list, RowPoint(1));
  Wait(kDoubleTapTimeMs - 100);
  Tap(list, {RowPoint(1).x + 3, RowPoint(1).y + 2});
  const auto doubles = NoticesOf(NM_DBLCLK);
  ASSERT_EQ(doubles.size(), 1u);
  EXPECT_EQ(doubles[0].list.iItem, 1);
  EXPECT_EQ(NoticesOf(NM_CLICK).size(), 1u);  // the first tap's only
  EXPECT_EQ(Selected(list), 1);
}

TEST_F(ListViewTest, SlowOrDistantTapsAreNoDoubleTap) {
  HWND list = FilledList(4);
  Tap(list, RowPoint(1));
  Wait(kDoubleTapTimeMs + 1);
  Tap(list, RowPoint(1));
  Wait(100);
  Tap(list, RowPoint(3));  // soon, but two rows away
  EXPECT_TRUE(NoticesOf(NM_DBLCLK).empty());
  EXPECT_EQ(NoticesOf(NM_CLICK).size(), 3u);
  EXPECT_EQ(Selected(list), 3);
}

TEST_F(ListViewTest, HoldingTheStylusIsTapAndHoldUnlessTheParentRefuses) {
  HWND list = FilledList(3);
  Down(list, RowPoint(2));
  Wait(kTapAndHoldTimeMs);
  Up(list, RowPoint(2));
  const auto holds = NoticesOf(GN_CONTEXTMENU);
  ASSERT_EQ(holds.size(), 1u);
  EXPECT_EQ(holds[0].gesture.dwItemSpec, 2u);
  EXPECT_EQ(holds[0].gesture.ptAction, OnScreen(list, RowPoint(2)));
  EXPECT_TRUE(NoticesOf(NM_CLICK).empty());

  Forget();
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    if (header.code == NM_RECOGNIZEGESTURE) return TRUE;
    return std::nullopt;
  };
  Down(list, RowPoint(1));
  Wait(kTapAndHoldTimeMs * 2);
  Up(list, RowPoint(1));
  EXPECT_TRUE(NoticesOf(GN_CONTEXTMENU).empty());
  EXPECT_EQ(NoticesOf(NM_CLICK).size(), 1u);
  EXPECT_EQ(Selected(list), 1);
}

TEST_F(ListViewTest, SingleSelectionHoldsForTheProgramToo) {
  HWND list = FilledList(3);
  LVITEM state;
  state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_EQ(Selected(list), 2);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMSTATE, 0, LVIS_SELECTED | LVIS_FOCUSED), 0);
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
  // Without single selection several rows may be selected by the program.
  HWND multi = Make(WC_LISTVIEW, LVS_REPORT, {0, 0, 100, 100}, 2);
  for (int i = 0; i < 3; ++i) Insert(multi, i, "x");
  state.stateMask = state.state = LVIS_SELECTED;
  SendMessage(multi, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(SendMessage(multi, LVM_GETSELECTEDCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(multi, LVM_GETNEXTITEM, 0, LVNI_SELECTED), 1);
}

TEST_F(ListViewTest, DeletingTellsTheParentWithEachItemsParameter) {
  HWND list = FilledList(3);
  ASSERT_TRUE(SendMessage(list, LVM_DELETEITEM, 1, 0));
  EXPECT_FALSE(SendMessage(list, LVM_DELETEITEM, 5, 0));
  ASSERT_EQ(NoticesOf(LVN_DELETEITEM).size(), 1u);
  EXPECT_EQ(NoticesOf(LVN_DELETEITEM)[0].list.lParam, 101);
  EXPECT_EQ(TextOf(list, 1), "Entry 2");

  Forget();
  ASSERT_TRUE(SendMessage(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(Codes(), (std::vector<UINT>{LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM}));
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 0);

  // A parent that answers TRUE is not told of each item.
  Insert(list, 0, "again");
  Forget();
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    return header.code == LVN_DELETEALLITEMS ? std::optional<LRESULT>(TRUE) : std::nullopt;
  };
  SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
  EXPECT_EQ(Codes(), std::vector<UINT>{LVN_DELETEALLITEMS});
}

TEST_F(ListViewTest, ALongListScrollsToShowAnItem) {
  HWND list = FilledList(30);  // 200 pixels show 10 rows
  EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 0);
  ASSERT_TRUE(SendMessage(list, LVM_ENSUREVISIBLE, 25, FALSE));
  RECT row;
  row.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessage(list, LVM_GETITEMRECT, 25, reinterpret_cast<LPARAM>(&row)));
  EXPECT_GE(row.top, kHeader);
  EXPECT_LE(row.bottom, 200);
  EXPECT_GT(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 10);
  // A tap where row 25 now is selects it.
  Tap(list, {40, (row.top + row.bottom) / 2});
  EXPECT_EQ(Selected(list), 25);
}

TEST_F(ListViewTest, TheScrollStripPagesAndDrags) {
  HWND list = FilledList(30);
  const int per_page = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_EQ(per_page, (200 - kHeader) / kRowHeight);
  // The strip runs down the right edge with its thumb at the top; dragging
  // the thumb to the bottom shows the last row.
  Down(list, {195, kHeader + 2});
  MoveTo(list, {195, 120});
  MoveTo(list, {195, 400});
  Up(list, {195, 400});
  RECT last;
  last.left = LVIR_BOUNDS;
  SendMessage(list, LVM_GETITEMRECT, 29, reinterpret_cast<LPARAM>(&last));
  EXPECT_LE(last.bottom, 200);
  EXPECT_GT(last.top, 200 - 2 * kRowHeight);
  EXPECT_EQ(Selected(list), -1);  // the strip selects nothing
  // A tap above the thumb pages back up.
  const int bottom_top = static_cast<int>(SendMessage(list, LVM_GETTOPINDEX, 0, 0));
  Wait(1000);
  Tap(list, {195, kHeader + 2});
  const int paged = static_cast<int>(SendMessage(list, LVM_GETTOPINDEX, 0, 0));
  EXPECT_LT(paged, bottom_top);
  EXPECT_GE(paged, bottom_top - per_page - 1);
  EXPECT_TRUE(NoticesOf(NM_CLICK).empty());
}

TEST_F(ListViewTest, KeysMoveTheSelectionAndEnterTellsTheParent) {
  HWND list = FilledList(12);
  SetFocus(list);
  Key(VK_DOWN);
  EXPECT_EQ(Selected(list), 0);
  for (int i = 0; i < 11; ++i) Key(VK_DOWN);
  EXPECT_EQ(Selected(list), 11);
  EXPECT_GT(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 0);  // followed into view
  Key(VK_UP);
  EXPECT_EQ(Selected(list), 10);
  Key(VK_RETURN);
  EXPECT_EQ(NoticesOf(NM_RETURN).size(), 1u);
}

TEST_F(ListViewTest, RowsShowTheirSmallIcons) {
  HWND list = MakeList();
  HIMAGELIST icons = ImageList_Create(16, 16, ILC_COLOR16, 2, 0);
  for (COLORREF colour : {RGB(255, 0, 0), RGB(0, 0, 255)}) {
    HDC screen_dc = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen_dc);
    HBITMAP image = CreateCompatibleBitmap(screen_dc, 16, 16);
    HGDIOBJ old = SelectObject(memory, image);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, 16, 16};
    FillRect(memory, &all, brush);
    SelectObject(memory, old);
    ImageList_Add(icons, image, nullptr);
    DeleteObject(brush);
    DeleteObject(image);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen_dc);
  }
  EXPECT_EQ(SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons)), 0);
  EXPECT_EQ(SendMessage(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0), reinterpret_cast<LRESULT>(icons));
  Insert(list, 0, "red", 0, 0);
  Insert(list, 1, "blue", 0, 1);
  EXPECT_EQ(ColourAt(list, {8, RowPoint(0).y}), RGB(255, 0, 0));
  EXPECT_EQ(ColourAt(list, {8, RowPoint(1).y}), RGB(0, 0, 255));
  // The list destroys its image list with itself.
  DestroyWindow(list);
  EXPECT_FALSE(ImageList_Destroy(icons));
}

}  // namespace
}  // namespace platform
