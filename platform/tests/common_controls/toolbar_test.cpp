// The toolbar driven with the stylus: image buttons from a strip, the
// pressed look while the stylus is down, commands on release, check
// buttons, separators and disabled buttons.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "common_controls_fixture.h"
#include "platform/files.h"
#include "platform/gdi_png.h"
#include "platform/modules.h"
#include "platform/resources.h"

namespace platform {
namespace {

constexpr COLORREF kStripColours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255),
                                      RGB(255, 128, 0)};
constexpr int kOpen = 301, kSave = 302, kGrid = 303, kZoom = 304;

TBBUTTON Button(int image, int command, BYTE state, BYTE style) {
  TBBUTTON button;
  button.iBitmap = image;
  button.idCommand = command;
  button.fsState = state;
  button.fsStyle = style;
  return button;
}

class ToolbarTest : public testing::CommonControlsTest {
 protected:
  void SetUp() override {
    CommonControlsTest::SetUp();
    bar_ = Make(TOOLBARCLASSNAME, CCS_NODIVIDER, {0, 0, 240, 26}, 110);
    SendMessage(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  }

  // Four 16x15 images side by side, each a solid colour inside a light
  // grey (transparent) frame.
  static HBITMAP MakeStrip() {
    BITMAPINFO info;
    info.bmiHeader.biWidth = 64;
    info.bmiHeader.biHeight = -15;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* bytes = static_cast<BYTE*>(bits);
    const int stride = (64 * 3 + 3) & ~3;
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 64; ++x) {
        const bool frame = x % 16 == 0 || x % 16 == 15 || y == 0 || y == 14;
        const COLORREF colour = frame ? RGB(192, 192, 192) : kStripColours[x / 16];
        BYTE* pixel = bytes + y * stride + x * 3;
        pixel[0] = GetBValue(colour);
        pixel[1] = GetGValue(colour);
        pixel[2] = GetRValue(colour);
      }
    }
    return strip;
  }

  void AddStandardButtons() {
    HBITMAP strip = MakeStrip();
    TBADDBITMAP added;
    added.nID = reinterpret_cast<UINT_PTR>(strip);
    ASSERT_EQ(SendMessage(bar_, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&added)), 0);
    DeleteObject(strip);  // the toolbar keeps its own copy of the images
    TBBUTTON buttons[5];
    buttons[0] = Button(0, kOpen, TBSTATE_ENABLED, TBSTYLE_BUTTON);
    buttons[1] = Button(1, kSave, TBSTATE_ENABLED, TBSTYLE_BUTTON);
    buttons[2] = Button(0, 0, 0, TBSTYLE_SEP);
    buttons[3] = Button(2, kGrid, TBSTATE_ENABLED, TBSTYLE_CHECK);
    buttons[4] = Button(3, kZoom, TBSTATE_ENABLED, TBSTYLE_BUTTON);
    ASSERT_TRUE(SendMessage(bar_, TB_ADDBUTTONS, 5, reinterpret_cast<LPARAM>(buttons)));
  }

  RECT ItemRect(int index) const {
    RECT rect;
    EXPECT_TRUE(SendMessage(bar_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)));
    return rect;
  }
  POINT CentreOf(int index) const {
    const RECT rect = ItemRect(index);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  bool Is(UINT message, int command) const { return SendMessage(bar_, message, command, 0) != 0; }

  HWND bar_ = nullptr;
};

TEST_F(ToolbarTest, ButtonsAndSeparatorsAreLaidOutLeftToRight) {
  AddStandardButtons();
  EXPECT_EQ(SendMessage(bar_, TB_BUTTONCOUNT, 0, 0), 5);
  const RECT open = ItemRect(0), save = ItemRect(1), separator = ItemRect(2), grid = ItemRect(3);
  EXPECT_EQ(open.left, 0);
  EXPECT_EQ(open.right - open.left, 23);
  EXPECT_EQ(save.left, open.right);
  EXPECT_EQ(separator.left, save.right);
  EXPECT_EQ(grid.left - separator.left, 6);
  TBBUTTON got;
  ASSERT_TRUE(SendMessage(bar_, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&got)));
  EXPECT_EQ(got.idCommand, kGrid);
  EXPECT_EQ(got.fsStyle, TBSTYLE_CHECK);
  EXPECT_EQ(SendMessage(bar_, TB_COMMANDTOINDEX, kZoom, 0), 4);
  EXPECT_EQ(SendMessage(bar_, TB_COMMANDTOINDEX, 999, 0), -1);
  // Each button shows its own image.
  EXPECT_EQ(ColourAt(bar_, CentreOf(0)), Shown(kStripColours[0]));
  EXPECT_EQ(ColourAt(bar_, CentreOf(4)), Shown(kStripColours[3]));
}

TEST_F(ToolbarTest, ATapSendsTheCommandOnRelease) {
  AddStandardButtons();
  Down(bar_, CentreOf(1));
  EXPECT_TRUE(Is(TB_ISBUTTONPRESSED, kSave));
  EXPECT_TRUE(commands_.empty());
  Up(bar_, CentreOf(1));
  EXPECT_FALSE(Is(TB_ISBUTTONPRESSED, kSave));
  EXPECT_EQ(commands_, std::vector<int>{kSave});
}

TEST_F(ToolbarTest, ReleasingAwayFromTheButtonSendsNothing) {
  AddStandardButtons();
  Down(bar_, CentreOf(0));
  MoveTo(bar_, CentreOf(4));
  EXPECT_FALSE(Is(TB_ISBUTTONPRESSED, kOpen));  // shows up while the stylus is away
  MoveTo(bar_, CentreOf(0));
  EXPECT_TRUE(Is(TB_ISBUTTONPRESSED, kOpen));
  MoveTo(bar_, CentreOf(4));
  Up(bar_, CentreOf(4));
  EXPECT_TRUE(commands_.empty());
  // A tap on the separator does nothing either.
  Tap(bar_, CentreOf(2));
  EXPECT_TRUE(commands_.empty());
}

TEST_F(ToolbarTest, ACheckButtonTogglesWithEachTap) {
  AddStandardButtons();
  Tap(bar_, CentreOf(3));
  EXPECT_TRUE(Is(TB_ISBUTTONCHECKED, kGrid));
  Tap(bar_, CentreOf(3));
  EXPECT_FALSE(Is(TB_ISBUTTONCHECKED, kGrid));
  EXPECT_EQ(commands_, (std::vector<int>{kGrid, kGrid}));
  // The program checks it too.
  SendMessage(bar_, TB_CHECKBUTTON, kGrid, TRUE);
  EXPECT_TRUE(Is(TB_ISBUTTONCHECKED, kGrid));
  // A plain button never stays checked.
  Tap(bar_, CentreOf(0));
  EXPECT_FALSE(Is(TB_ISBUTTONCHECKED, kOpen));
}

TEST_F(ToolbarTest, CheckGroupButtonsAreCheckedOneAtATime) {
  TBBUTTON group[3];
  group[0] = Button(0, 11, TBSTATE_ENABLED, TBSTYLE_CHECKGROUP);
  group[1] = Button(1, 12, TBSTATE_ENABLED, TBSTYLE_CHECKGROUP);
  group[2] = Button(2, 13, TBSTATE_ENABLED, TBSTYLE_CHECKGROUP);
  SendMessage(bar_, TB_ADDBUTTONS, 3, reinterpret_cast<LPARAM>(group));
  Tap(bar_, CentreOf(0));
  Tap(bar_, CentreOf(2));
  EXPECT_FALSE(Is(TB_ISBUTTONCHECKED, 11));
  EXPECT_TRUE(Is(TB_ISBUTTONCHECKED, 13));
  Tap(bar_, CentreOf(2));  // a checked group button stays checked
  EXPECT_TRUE(Is(TB_ISBUTTONCHECKED, 13));
}

TEST_F(ToolbarTest, ADisabledButtonIsGreyAndSendsNothing) {
  AddStandardButtons();
  EXPECT_TRUE(Is(TB_ISBUTTONENABLED, kOpen));
  ASSERT_TRUE(SendMessage(bar_, TB_ENABLEBUTTON, kOpen, FALSE));
  EXPECT_FALSE(Is(TB_ISBUTTONENABLED, kOpen));
  Down(bar_, CentreOf(0));
  EXPECT_FALSE(Is(TB_ISBUTTONPRESSED, kOpen));
  Up(bar_, CentreOf(0));
  EXPECT_TRUE(commands_.empty());
  const COLORREF grey = ColourAt(bar_, CentreOf(0));
  // Grey, as near as the screen's 16 bits come to it.
  EXPECT_LE(std::abs(GetRValue(grey) - GetGValue(grey)), 8);
  EXPECT_LE(std::abs(GetBValue(grey) - GetGValue(grey)), 8);
  EXPECT_NE(grey, Shown(kStripColours[0]));
  EXPECT_NE(grey, Shown(GetSysColor(COLOR_BTNFACE)));
  // Enabled again, it works and shows its colour.
  SendMessage(bar_, TB_ENABLEBUTTON, kOpen, TRUE);
  Tap(bar_, CentreOf(0));
  EXPECT_EQ(commands_, std::vector<int>{kOpen});
  EXPECT_EQ(ColourAt(bar_, CentreOf(0)), Shown(kStripColours[0]));
}

TEST_F(ToolbarTest, APressedButtonLooksSunken) {
  AddStandardButtons();
  const RECT rect = ItemRect(4);
  const COLORREF raised = ColourAt(bar_, {rect.left, rect.top});
  SendMessage(bar_, TB_PRESSBUTTON, kZoom, TRUE);
  EXPECT_TRUE(Is(TB_ISBUTTONPRESSED, kZoom));
  EXPECT_NE(ColourAt(bar_, {rect.left, rect.top}), raised);
  EXPECT_EQ(ColourAt(bar_, {rect.left, rect.top}), Shown(GetSysColor(COLOR_BTNSHADOW)));
}

TEST_F(ToolbarTest, InsertingAndDeletingMovesTheButtonsAfter) {
  AddStandardButtons();
  const RECT zoom_before = ItemRect(4);
  TBBUTTON added = Button(1, 400, TBSTATE_ENABLED, TBSTYLE_BUTTON);
  ASSERT_TRUE(SendMessage(bar_, TB_INSERTBUTTON, 0, reinterpret_cast<LPARAM>(&added)));
  EXPECT_EQ(SendMessage(bar_, TB_COMMANDTOINDEX, 400, 0), 0);
  EXPECT_EQ(ItemRect(5).left, zoom_before.left + 23);
  Tap(bar_, CentreOf(5));
  EXPECT_EQ(commands_, std::vector<int>{kZoom});
  ASSERT_TRUE(SendMessage(bar_, TB_DELETEBUTTON, 0, 0));
  EXPECT_FALSE(SendMessage(bar_, TB_DELETEBUTTON, 17, 0));
  EXPECT_EQ(SendMessage(bar_, TB_BUTTONCOUNT, 0, 0), 5);
  EXPECT_EQ(ItemRect(4).left, zoom_before.left);
  // A hidden button takes no room.
  SendMessage(bar_, TB_HIDEBUTTON, kOpen, TRUE);
  EXPECT_EQ(ItemRect(1).left, 0);
}

TEST_F(ToolbarTest, ButtonAndBitmapSizesAreKept) {
  ASSERT_TRUE(SendMessage(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16)));
  SendMessage(bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(SendMessage(bar_, TB_GETBUTTONSIZE, 0, 0), MAKELONG(20, 20));
  TBBUTTON button = Button(0, 1, TBSTATE_ENABLED, TBSTYLE_BUTTON);
  SendMessage(bar_, TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&button));
  EXPECT_EQ(ItemRect(0).right - ItemRect(0).left, 20);
  // A strip that is no bitmap adds nothing.
  TBADDBITMAP nothing;
  EXPECT_EQ(SendMessage(bar_, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&nothing)), -1);
}

TEST_F(ToolbarTest, AToolbarSizesItselfAcrossItsParentUnlessToldNot) {
  HWND own = Make(TOOLBARCLASSNAME, 0, {5, 100, 50, 110}, 111);
  RECT rect;
  GetClientRect(own, &rect);
  EXPECT_EQ(rect.right, 240);
  EXPECT_EQ(rect.bottom, 22 + 4);
  HWND fixed = Make(TOOLBARCLASSNAME, CCS_NORESIZE | CCS_NOPARENTALIGN, {132, 0, 228, 26}, 112);
  GetClientRect(fixed, &rect);
  EXPECT_EQ(rect.right, 96);
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

constexpr COLORREF kNoteColours[] = {RGB(255, 0, 0), RGB(0, 192, 0), RGB(0, 0, 255),
                                     RGB(255, 255, 0), RGB(0, 255, 255)};

// A module whose bitmap 110 is a strip of five 16x16 images.
class ModuleToolbarTest : public testing::CommonControlsTest {
 protected:
  void SetUp() override {
    CommonControlsTest::SetUp();
    gdi::Surface strip(80, 16, 24);
    strip.Fill(strip.Bounds(), RGB(192, 192, 192));
    for (int i = 0; i < 5; ++i) strip.Fill({i * 16 + 2, 2, i * 16 + 14, 14}, kNoteColours[i]);
    const std::filesystem::path folder = testing::MakeTemporaryFolder("orsa-strip");
    ASSERT_TRUE(gdi::WritePng(strip, folder / "strip.png"));
    std::ifstream file(folder / "strip.png", std::ios::binary);
    std::vector<BYTE> png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(folder);
    auto resources = std::make_shared<ModuleResources>();
    resources->AddBinary(ResourceType::kBitmap, 110, BinaryResource{png, {}});
    module_ = device_.handheld().modules().Register(kModule, {{}, resources, {}});
    const std::string contents = "module";
    device_.handheld().files().InstallFile(kModule, std::as_bytes(std::span(contents)));
    ASSERT_EQ(LoadLibrary(kModule), module_);
  }

  static constexpr std::string_view kModule = "\\Windows\\notes.dll";
  HMODULE module_ = nullptr;
};

TEST_F(ModuleToolbarTest, AToolbarMadeInOneCallShowsTheModulesImages) {
  const TBBUTTON buttons[] = {Button(0, 0, 0, TBSTYLE_SEP),
                              Button(0, 0, 0, TBSTYLE_SEP),
                              Button(0, 4020, TBSTATE_ENABLED, TBSTYLE_BUTTON),
                              Button(2, 4022, TBSTATE_ENABLED, TBSTYLE_BUTTON),
                              Button(1, 4021, TBSTATE_ENABLED, TBSTYLE_BUTTON),
                              Button(3, 4024, TBSTATE_ENABLED, TBSTYLE_BUTTON),
                              Button(0, 0, 0, TBSTYLE_SEP),
                              Button(4, 4023, TBSTATE_ENABLED, TBSTYLE_BUTTON)};
  HWND bar = CreateToolbarEx(host_, WS_VISIBLE | CCS_NODIVIDER, 110, 5, module_, 110, buttons, 8, 0,
                             0, 16, 16, sizeof(TBBUTTON));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetDlgCtrlID(bar), 110);
  EXPECT_EQ(SendMessage(bar, TB_BUTTONCOUNT, 0, 0), 8);
  auto centre = [bar](int index) {
    RECT rect;
    SendMessage(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  };
  EXPECT_EQ(ColourAt(bar, centre(2)), Shown(kNoteColours[0]));
  EXPECT_EQ(ColourAt(bar, centre(3)), Shown(kNoteColours[2]));
  EXPECT_EQ(ColourAt(bar, centre(7)), Shown(kNoteColours[4]));
  Tap(bar, centre(4));
  EXPECT_EQ(commands_, std::vector<int>{4021});
  SendMessage(bar, TB_ENABLEBUTTON, 4020, FALSE);
  Tap(bar, centre(2));
  EXPECT_EQ(commands_, std::vector<int>{4021});
  // A bitmap id the module lacks adds no images.
  TBADDBITMAP missing;
  missing.hInst = module_;
  missing.nID = 999;
  EXPECT_EQ(SendMessage(bar, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&missing)), -1);
}

}  // namespace
}  // namespace platform
