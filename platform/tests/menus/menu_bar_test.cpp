// The shell's menu bar: made from a menu resource and a toolbar bitmap,
// drop-down menus from its buttons, image buttons, the input-panel button.
#include "platform/menu_bar.h"

#include <fstream>
#include <iterator>

#include "dialogs/dialog_test_fixture.h"
#include "menu_templates.h"
#include "platform/common_controls/toolbar.h"
#include "platform/gdi_png.h"
#include "platform/last_error.h"
#include "platform/screen.h"
#include "platform/shell_state.h"

namespace platform {
namespace {

constexpr UINT kCamera = 20201;
constexpr UINT kRecorder = 20204;
constexpr COLORREF kCameraColour = RGB(255, 0, 0);
constexpr COLORREF kRecorderColour = RGB(0, 0, 255);
constexpr int kBarTop = 294;
constexpr int kFileButtonX = 60;  // after the two image buttons

class MenuBarTest : public testing::DialogTest {
 protected:
  MenuBarTest() {
    auto resources = std::make_shared<ModuleResources>();
    using testing::Command;
    MenuTemplate bar{
        {Command("Camera", kCamera, false, false, 0), Command("Record", kRecorder, false, false, 1),
         testing::Popup(
             "File", 40001,
             {Command("Options...", 40017), testing::Separator(), Command("Exit", 40019)}),
         testing::Popup("Picture", 40004, {Command("Rotate", 40031, true)})}};
    resources->AddMenu(102, bar);
    resources->AddBinary(ResourceType::kBitmap, 200, BinaryResource{StripPng(), {}});
    module_ = InstallModule(resources);
  }

  // Two 16 x 16 images side by side: red, blue.
  std::vector<BYTE> StripPng() {
    gdi::Surface strip(32, 16, 24);
    strip.Fill(RECT{0, 0, 16, 16}, kCameraColour);
    strip.Fill(RECT{16, 0, 32, 16}, kRecorderColour);
    const auto path = device_.root() / "strip.png";
    EXPECT_TRUE(gdi::WritePng(strip, path));
    std::ifstream file(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), {});
  }

  SHMENUBARINFO BarInfo(DWORD flags = 0) {
    SHMENUBARINFO info;
    info.hwndParent = main_;
    info.dwFlags = flags;
    info.nToolBarId = 102;
    info.hInstRes = module_;
    info.nBmpId = 200;
    info.cBmpImages = 2;
    return info;
  }

  std::vector<WPARAM> Commands() {
    Pump();
    std::vector<WPARAM> commands;
    for (const auto& r : ReceivedBy(main_, WM_COMMAND)) commands.push_back(LOWORD(r.wparam));
    return commands;
  }

  // Does what a person does while this thread runs its messages (the menus
  // open in them).
  void Meanwhile(std::function<void()> person) {
    ShowWhile(
        [] {
          MSG msg;
          // Until the person is done: its thread posts WM_APP at the end.
          while (GetMessage(&msg, nullptr, 0, 0) > 0 && msg.message != WM_APP) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
          }
          return 0;
        },
        [person, thread = GetCurrentThreadId()] {
          person();
          PostThreadMessage(thread, WM_APP, 0, 0);
        });
  }

  static HWND OpenPopup() {
    HWND found = nullptr;
    EnumWindows(
        [&](HWND hwnd, LPARAM) {
          if (GetClassName(hwnd) == "MenuPopup") found = hwnd;
          return found == nullptr;
        },
        0);
    return found;
  }

  HINSTANCE module_ = nullptr;
};

TEST_F(MenuBarTest, TheBarSitsAtTheBottomAndADropDownSendsItsCommand) {
  SHMENUBARINFO info = BarInfo();
  ASSERT_TRUE(SHCreateMenuBar(&info));
  ASSERT_NE(info.hwndMB, nullptr);
  EXPECT_EQ(SHFindMenuBar(main_), info.hwndMB);
  RECT rect;
  GetWindowRect(info.hwndMB, &rect);
  EXPECT_EQ(rect.top, kBarTop);
  EXPECT_EQ(rect.bottom, 320);
  EXPECT_EQ(rect.right - rect.left, 240);
  EXPECT_EQ(GetWindow(info.hwndMB, GW_OWNER), main_);
  RECT popup{};
  Meanwhile([&] {
    TapAt(POINT{kFileButtonX, kBarTop + 13});
    HWND menu = OpenPopup();
    ASSERT_NE(menu, nullptr);
    GetWindowRect(menu, &popup);
    // Exit is the third row, below a separator.
    TapAt(POINT{popup.left + 20, popup.top + 1 + 20 + 7 + 10});
  });
  EXPECT_EQ(popup.bottom, kBarTop);
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{40019}));
  // The bar goes with its window.
  DestroyWindow(main_);
  EXPECT_FALSE(IsWindow(info.hwndMB));
}

TEST_F(MenuBarTest, SubMenusAreFoundByTheIdOfTheirItemAndGrowAtRunTime) {
  SHMENUBARINFO info = BarInfo();
  ASSERT_TRUE(SHCreateMenuBar(&info));
  auto tools = reinterpret_cast<HMENU>(SendMessage(info.hwndMB, SHCMBM_GETSUBMENU, 0, 40001));
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(GetMenuItemID(tools, 0), 40017u);
  auto picture = reinterpret_cast<HMENU>(SendMessage(info.hwndMB, SHCMBM_GETSUBMENU, 0, 40004));
  EXPECT_EQ(GetMenuItemID(picture, 0), 40031u);
  EXPECT_EQ(SendMessage(info.hwndMB, SHCMBM_GETSUBMENU, 0, 49999), 0);
  ASSERT_TRUE(AppendMenu(tools, MF_STRING, 1300, "Send to PC"));
  Meanwhile([&] {
    TapAt(POINT{kFileButtonX, kBarTop + 13});
    RECT popup;
    GetWindowRect(OpenPopup(), &popup);
    TapAt(POINT{popup.left + 20, popup.top + 1 + 20 + 7 + 20 + 10});
  });
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{1300}));
}

TEST_F(MenuBarTest, ImageButtonsShowTheirImageSendTheirCommandAndCanBeHiddenOrGreyed) {
  SHMENUBARINFO info = BarInfo();
  ASSERT_TRUE(SHCreateMenuBar(&info));
  const gdi::Surface& shown = screen::Compose();
  EXPECT_EQ(shown.GetPixel(13, kBarTop + 13), kCameraColour);
  EXPECT_EQ(shown.GetPixel(26 + 13, kBarTop + 13), kRecorderColour);
  Meanwhile([] { TapAt(POINT{13, kBarTop + 13}); });
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{kCamera}));
  received_.clear();

  // Greyed: no command.
  SendMessage(info.hwndMB, WM_USER + 1, kCamera, FALSE);
  EXPECT_EQ(SendMessage(info.hwndMB, WM_USER + 9, kCamera, 0), FALSE);
  Meanwhile([] { TapAt(POINT{13, kBarTop + 13}); });
  EXPECT_TRUE(Commands().empty());
  // Hidden: the record button moves into its place.
  SendMessage(info.hwndMB, WM_USER + 4, kCamera, TRUE);
  EXPECT_TRUE(SendMessage(info.hwndMB, WM_USER + 12, kCamera, 0));
  EXPECT_EQ(screen::Compose().GetPixel(13, kBarTop + 13), kRecorderColour);
  // A checked button stays down until released.
  SendMessage(info.hwndMB, WM_USER + 2, kRecorder, TRUE);
  EXPECT_TRUE(SendMessage(info.hwndMB, WM_USER + 10, kRecorder, 0));
  SendMessage(info.hwndMB, WM_USER + 2, kRecorder, FALSE);
  EXPECT_FALSE(SendMessage(info.hwndMB, WM_USER + 10, kRecorder, 0));
  Meanwhile([] { TapAt(POINT{13, kBarTop + 13}); });
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{kRecorder}));
}

TEST_F(MenuBarTest, CreationFailsWhenAResourceIsMissing) {
  SHMENUBARINFO info = BarInfo();
  info.nToolBarId = 103;
  EXPECT_FALSE(SHCreateMenuBar(&info));
  EXPECT_EQ(info.hwndMB, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  info = BarInfo();
  info.nBmpId = 201;
  EXPECT_FALSE(SHCreateMenuBar(&info));
  info.hwndParent = nullptr;
  EXPECT_FALSE(SHCreateMenuBar(&info));
  EXPECT_FALSE(SHCreateMenuBar(nullptr));
  EXPECT_EQ(SHFindMenuBar(main_), nullptr);
  // An empty bar needs no resource.
  info = BarInfo(SHCMBF_EMPTYBAR);
  info.nToolBarId = 103;
  EXPECT_TRUE(SHCreateMenuBar(&info));
}

TEST_F(MenuBarTest, TheInputPanelButtonRaisesAndLowersThePanelUnlessHidden) {
  SHMENUBARINFO info = BarInfo();
  ASSERT_TRUE(SHCreateMenuBar(&info));
  Meanwhile([] { TapAt(POINT{230, kBarTop + 13}); });
  EXPECT_TRUE(shell::InputPanelShown());
  Meanwhile([] { TapAt(POINT{230, kBarTop + 13}); });
  EXPECT_FALSE(shell::InputPanelShown());
  info = BarInfo(SHCMBF_HIDESIPBUTTON);
  ASSERT_TRUE(SHCreateMenuBar(&info));  // replaces the first bar
  Meanwhile([] { TapAt(POINT{230, kBarTop + 13}); });
  EXPECT_FALSE(shell::InputPanelShown());
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

TEST_F(MenuBarTest, ACheckButtonTogglesOnEachTapAndStillSendsItsCommand) {
  SHMENUBARINFO info = BarInfo();
  ASSERT_TRUE(SHCreateMenuBar(&info));
  // The recorder becomes a check button, down at first.
  TBBUTTONINFO style;
  style.dwMask = TBIF_STYLE | TBIF_STATE;
  style.fsStyle = TBSTYLE_CHECK;
  style.fsState = TBSTATE_CHECKED;
  ASSERT_TRUE(
      SendMessage(info.hwndMB, TB_SETBUTTONINFO, kRecorder, reinterpret_cast<LPARAM>(&style)));
  const auto checked = [&] { return SendMessage(info.hwndMB, WM_USER + 10, kRecorder, 0) != 0; };
  EXPECT_TRUE(checked());
  Meanwhile([&] { TapAt(POINT{26 + 13, kBarTop + 13}); });
  EXPECT_FALSE(checked());
  Meanwhile([&] { TapAt(POINT{26 + 13, kBarTop + 13}); });
  EXPECT_TRUE(checked());
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{kRecorder, kRecorder}));
  // A plain command button does not stay down.
  Meanwhile([&] { TapAt(POINT{13, kBarTop + 13}); });
  EXPECT_FALSE(SendMessage(info.hwndMB, WM_USER + 10, kCamera, 0));
}

}  // namespace
}  // namespace platform
