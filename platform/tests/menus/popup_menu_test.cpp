// Pop-up menus on the screen, used with the stylus and the keys.
#include "dialogs/dialog_test_fixture.h"
#include "platform/gdi_png.h"
#include "platform/menus.h"
#include "platform/screen.h"

namespace platform {
namespace {

constexpr int kRowHeight = 20;

class PopupMenuTest : public testing::DialogTest {
 protected:
  PopupMenuTest() {
    menu_ = CreatePopupMenu();
    AppendMenu(menu_, MF_STRING, 40005, "Delete");
    AppendMenu(menu_, MF_STRING | MF_GRAYED, 40026, "Move");
    AppendMenu(menu_, MF_STRING | MF_CHECKED, 40024, "Mark range");
    AppendMenu(menu_, MF_STRING, 40027, "Copy");
    submenu_ = CreatePopupMenu();
    AppendMenu(submenu_, MF_STRING, 40020, "12.5%");
    AppendMenu(submenu_, MF_STRING, 40021, "25%");
    AppendMenu(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu_), "Copy to clipboard");
  }
  ~PopupMenuTest() override { DestroyMenu(menu_); }

  // The popups on screen, the first opened first.
  static std::vector<HWND> Popups() {
    std::vector<HWND> popups;
    EnumWindows(
        [&](HWND hwnd, LPARAM) {
          if (GetClassName(hwnd) == "MenuPopup" && IsWindowVisible(hwnd)) {
            popups.insert(popups.begin(), hwnd);
          }
          return TRUE;
        },
        0);
    return popups;
  }
  // The middle of row `row` of a popup.
  static POINT Row(HWND popup, int row) {
    RECT rect;
    GetWindowRect(popup, &rect);
    return {rect.left + 30, rect.top + 1 + row * kRowHeight + kRowHeight / 2};
  }
  // Commands the main window got.
  std::vector<WPARAM> Commands() {
    Pump();
    std::vector<WPARAM> commands;
    for (const auto& r : ReceivedBy(main_, WM_COMMAND)) commands.push_back(r.wparam);
    return commands;
  }
  BOOL Track(UINT flags, std::function<void()> person) {
    return ShowWhile([&] { return TrackPopupMenuEx(menu_, flags, 20, 60, main_, nullptr); },
                     std::move(person));
  }

  HMENU menu_ = nullptr;
  HMENU submenu_ = nullptr;
};

TEST_F(PopupMenuTest, ATapOnAnItemSendsItsCommandToTheOwner) {
  RECT rect{};
  const BOOL result = Track(TPM_LEFTALIGN, [&] {
    ASSERT_EQ(Popups().size(), 1u);
    GetWindowRect(Popups()[0], &rect);
    TapAt(Row(Popups()[0], 3));
  });
  EXPECT_TRUE(result);
  EXPECT_EQ(rect.left, 20);
  EXPECT_EQ(rect.top, 60);
  EXPECT_TRUE(Popups().empty());
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{40027}));
  // The owner heard that the menu was about to show.
  ASSERT_EQ(ReceivedBy(main_, WM_INITMENUPOPUP).size(), 1u);
  EXPECT_EQ(ReceivedBy(main_, WM_INITMENUPOPUP)[0].wparam, reinterpret_cast<WPARAM>(menu_));
}

TEST_F(PopupMenuTest, AGreyedItemSendsNoCommandAndATapElsewhereDismisses) {
  bool open_after_greyed_tap = false;
  const BOOL result = Track(TPM_LEFTALIGN, [&] {
    TapAt(Row(Popups()[0], 1));
    open_after_greyed_tap = Popups().size() == 1;
    TapAt(POINT{200, 280});
  });
  EXPECT_FALSE(result);
  EXPECT_TRUE(open_after_greyed_tap);
  EXPECT_TRUE(Commands().empty());
  // The dismissing tap is the menu's: the window under it saw nothing.
  EXPECT_TRUE(ReceivedBy(main_, WM_LBUTTONDOWN).empty());
}

TEST_F(PopupMenuTest, ACheckMarkShowsBesideACheckedItem) {
  const auto shot = device_.root() / "menu.png";
  Track(TPM_LEFTALIGN, [&] {
    ASSERT_TRUE(screen::SaveScreenshot(shot));
    Press(VK_ESCAPE);
  });
  auto image = gdi::ReadPng(shot);
  ASSERT_TRUE(image);
  // Dark pixels in the check column: none beside "Delete", some beside
  // "Mark range".
  auto dark_in_check_column = [&](int row) {
    int dark = 0;
    for (int y = 61 + row * kRowHeight; y < 61 + (row + 1) * kRowHeight; ++y) {
      for (int x = 21; x < 21 + 16; ++x) dark += image->GetPixel(x, y) == RGB(0, 0, 0);
    }
    return dark;
  };
  EXPECT_EQ(dark_in_check_column(0), 0);
  EXPECT_GT(dark_in_check_column(2), 10);
  EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, ASubMenuOpensBesideItsItem) {
  RECT outer{}, inner{};
  const UINT chosen = static_cast<UINT>(Track(TPM_RETURNCMD, [&] {
    TapAt(Row(Popups()[0], 4));
    ASSERT_EQ(Popups().size(), 2u);
    GetWindowRect(Popups()[0], &outer);
    GetWindowRect(Popups()[1], &inner);
    TapAt(Row(Popups()[1], 1));
  }));
  EXPECT_EQ(chosen, 40021u);
  EXPECT_TRUE(inner.left >= outer.right || inner.right <= outer.left);
  // With TPM_RETURNCMD nothing is sent.
  EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, KeysMoveOverGreyedItemsAndChoose) {
  const UINT chosen = static_cast<UINT>(Track(TPM_RETURNCMD, [] {
    Press(VK_DOWN);  // Delete
    Press(VK_DOWN);  // Move is greyed: Mark range
    Press(VK_RETURN);
  }));
  EXPECT_EQ(chosen, 40024u);
}

TEST_F(PopupMenuTest, AMenuThatDoesNotExistIsNotShown) {
  HMENU gone = CreatePopupMenu();
  DestroyMenu(gone);
  EXPECT_FALSE(TrackPopupMenuEx(gone, 0, 0, 0, main_, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
}

}  // namespace
}  // namespace platform
