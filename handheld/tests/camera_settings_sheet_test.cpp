// The camera's settings sheet on the emulator, driven by taps and keys as a
// person would: what each page stores on OK and nothing on Cancel, the
// zoom-dependent Resolution list, the File page's edit rules, the folder
// chooser with its refusals, the About box, and the German and Korean
// pages' texts fitting their controls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "camera_program_window.h"
#include "emulator_fixture.h"
#include "platform/common_controls.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/gdi_png.h"
#include "platform/message_box.h"
#include "platform/property_sheet.h"
#include "platform/registry.h"
#include "platform/window.h"
#include "platform/window_paint.h"
#include "reference_codec.h"
#include "screenshot_compare.h"

namespace handheld {
namespace {

using namespace platform;

constexpr char kPictures[] = "\\My Documents\\My Pictures";

// Where things are on the screen.
constexpr char kDone[] = "tap 224 13\nwait 300\n";
constexpr char kChange[] = "tap 65 251\nwait 300\n";
constexpr char kReset[] = "tap 173 251\nwait 200\n";
constexpr char kSetupTab[] = "tap 78 283\nwait 200\n";
constexpr char kFileTab[] = "tap 116 283\nwait 200\n";
constexpr char kVideoTab[] = "tap 154 283\nwait 200\n";
constexpr char kOptionOk[] = "tap 73 271\nwait 300\n";
constexpr char kLowerInputPanel[] = "tap 226 307\nwait 200\n";
// Rows of the entry lists and of the option lists.
std::string Row(int index) { return std::to_string(76 + 18 * index); }
std::string TapRow(int index) { return "tap 60 " + Row(index) + "\nwait 100\n"; }
std::string DoubleTapRow(int index) {
  return "tap 60 " + Row(index) + "\ntap 60 " + Row(index) + "\nwait 300\n";
}

class CameraSettingsSheetTest : public testing::EmulatorFixture {
 protected:
  CameraSettingsSheetTest() : EmulatorFixture("orsa-sheet") {}

  std::string Run(const std::string& text) {
    const testing::ScriptRun run = RunScript(text);
    EXPECT_TRUE(run.valid) << run.err;
    EXPECT_EQ(run.report.failures, 0) << run.err;
    return run.out;
  }

  // The caption is the title in the handheld's language.
  void StartCamera(const std::string& caption = testing::kCameraCaption) {
    Run("insert-card\nexpect-window Dialog \"" + caption + "\"\nwait 1000\n");
  }
  void OpenSheet() { Run("key app1\nwait 400\n"); }

  std::optional<DWORD> Stored(const char* name) {
    return emulator_->handheld().registry().GetDword(HKEY_CURRENT_USER, testing::kCameraSettingKey,
                                                     name);
  }
  std::optional<std::string> StoredText(const char* name) {
    return emulator_->handheld().registry().GetString(HKEY_CURRENT_USER, testing::kCameraSettingKey,
                                                      name);
  }

  static HWND Front() { return GetForegroundWindow(); }
  static HWND Page() {
    return reinterpret_cast<HWND>(SendMessage(Front(), PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  static std::string ListText(HWND list, int row, int column = 0) {
    char text[256] = {};
    LVITEM item;
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
  }
  static int ListCount(HWND list) {
    return static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
  }

  static std::string TreeText(HWND tree, HTREEITEM item) {
    char text[128] = {};
    TVITEM info;
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&info));
    return text;
  }

  // Selects the tree's item at the end of `names`, from the root down.
  static void SelectFolder(HWND tree, const std::vector<std::string>& names) {
    HTREEITEM item = nullptr;
    for (const std::string& name : names) {
      auto child = reinterpret_cast<HTREEITEM>(SendMessage(
          tree, TVM_GETNEXTITEM, item ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(item)));
      for (; child; child = reinterpret_cast<HTREEITEM>(SendMessage(
                        tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
        if (TreeText(tree, child) == name) break;
      }
      ASSERT_NE(child, nullptr) << name;
      item = child;
    }
    SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }

  std::size_t Beeps() { return emulator_->handheld().message_boxes().Beeps().size(); }
  std::vector<MessageBoxRecord> Boxes() { return emulator_->handheld().message_boxes().Boxes(); }
  bool FolderExists(const std::string& path) {
    const DWORD attributes = emulator_->handheld().files().GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
};

TEST_F(CameraSettingsSheetTest, SettingsPageStoresItsFiveValuesOnOkAndNothingOnCancel) {
  StartCamera();
  OpenSheet();
  HWND list = GetDlgItem(Page(), 1070);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ListText(list, 1), "Color (Full Color)");
  Run(DoubleTapRow(1));
  // The option list: each option's description under the list.
  Run(TapRow(1) + "expect-text 1073 \"Images are captured in black & white.\"\n" + kOptionOk);
  EXPECT_EQ(ListText(list, 1), "Color (Black & White)");
  Run("key escape\nwait 300\n");
  EXPECT_FALSE(Stored("color")) << "Cancel stores nothing";
  EXPECT_FALSE(Stored("awb"));

  // Reset counts as a change, but Cancel still stores nothing.
  OpenSheet();
  Run(kReset + std::string("key escape\nwait 300\n"));
  EXPECT_FALSE(Stored("awb"));
  EXPECT_FALSE(Stored("resolution"));

  OpenSheet();
  Run(TapRow(1) + kChange + TapRow(1) + kOptionOk + kDone);
  EXPECT_EQ(Stored("awb"), 0u);
  EXPECT_EQ(Stored("color"), 1u);
  EXPECT_EQ(Stored("imagequality"), 1u);
  EXPECT_EQ(Stored("resolution"), 1u);
  EXPECT_EQ(Stored("ae metering"), 1u);
  EXPECT_FALSE(Stored("camera sound")) << "the Setup page was not changed";
  EXPECT_FALSE(Stored("filename prefix")) << "the File page was never shown";
}

TEST_F(CameraSettingsSheetTest, SetupPageStoresItsFourValuesAndChangeNeedsAnEntry) {
  StartCamera();
  OpenSheet();
  Run(kSetupTab);
  // Change with no entry chosen: a box without an icon.
  Run(kChange + std::string("expect-box \"Please select an item!\" \"Quillon Camera\"\n"));
  EXPECT_EQ(Boxes().back().request.icon(), 0u);
  HWND list = GetDlgItem(Page(), 1079);
  Run(TapRow(2) + kChange);
  EXPECT_EQ(ListCount(GetDlgItem(Front(), 1086)), 3);
  Run(TapRow(1) +
      "expect-text 1087 \"Picture is taken 2 seconds after shutter button is pressed. \"\n" +
      kOptionOk);
  EXPECT_EQ(ListText(list, 2), "Self-Timer (On - 2 seconds)");
  Run(DoubleTapRow(3) + TapRow(1) + "expect-text 1087 \"Business Card Framing Aid On\"\n" +
      kOptionOk);
  Run(kDone);
  EXPECT_EQ(Stored("camera sound"), 1u);
  EXPECT_EQ(Stored("instant review"), 1u);
  EXPECT_EQ(Stored("selftime"), 1u);
  EXPECT_EQ(Stored("business card"), 1u);
  EXPECT_FALSE(Stored("awb")) << "the Settings page was not changed";

  // Reset then OK stores the defaults.
  OpenSheet();
  Run(kSetupTab + std::string(kReset));
  EXPECT_EQ(ListText(GetDlgItem(Page(), 1079), 2), "Self-Timer (Off)");
  Run(kDone);
  EXPECT_EQ(Stored("selftime"), 0u);
  EXPECT_EQ(Stored("business card"), 0u);
}

TEST_F(CameraSettingsSheetTest, WhileZoomedResolutionEditsTheZoomedSizeAndIsNotStored) {
  StartCamera();
  // Level 1: 640x480 and 320x240 are offered; the choice is the zoomed
  // still size and `resolution` stays as stored.
  Run("key app4\nwait 300\n");
  OpenSheet();
  const bool large = ListText(GetDlgItem(Page(), 1070), 3) == "Resolution (640x480)";
  Run(DoubleTapRow(3));
  HWND rows = GetDlgItem(Front(), 1071);
  ASSERT_EQ(ListCount(rows), 2);
  EXPECT_EQ(ListText(rows, 0), "640x480");
  EXPECT_EQ(ListText(rows, 1), "320x240");
  Run(TapRow(large ? 1 : 0) + kOptionOk + kDone);
  EXPECT_FALSE(Stored("resolution"));
  EXPECT_EQ(Stored("color"), 0u) << "the rest of the page is stored";
  OpenSheet();
  EXPECT_EQ(ListText(GetDlgItem(Page(), 1070), 3),
            large ? "Resolution (320x240)" : "Resolution (640x480)");
  Run("key escape\nwait 300\n");

  // Level 2: only 320x240; Reset and OK still leave `resolution` alone.
  Run("key app4\nwait 300\n");
  OpenSheet();
  Run(DoubleTapRow(3));
  rows = GetDlgItem(Front(), 1071);
  ASSERT_EQ(ListCount(rows), 1);
  EXPECT_EQ(ListText(rows, 0), "320x240");
  Run(TapRow(0) + kOptionOk + kReset);
  EXPECT_EQ(ListText(GetDlgItem(Page(), 1070), 3), "Resolution (320x240)");
  Run(kDone);
  EXPECT_FALSE(Stored("resolution"));
}

TEST_F(CameraSettingsSheetTest, AZoomedStillSizeChosenInTheSheetIsTheSizeTaken) {
  // Zoomed once, 320x240 chosen in the sheet: the camera asks the driver
  // for the zoomed 320x240 capture, and libjpeg-turbo reads that size.
  emulator_->handheld().registry().SetDword(HKEY_CURRENT_USER, testing::kCameraSettingKey,
                                            "instant review", 0);
  StartCamera();
  Run("key app4\nwait 300\n");
  OpenSheet();
  Run(DoubleTapRow(3));
  ASSERT_EQ(ListText(GetDlgItem(Front(), 1071), 1), "320x240");
  Run(TapRow(1) + kOptionOk + kDone);
  Run("wait 1000\nkey action\nwait 1500\n");
  const auto host =
      emulator_->handheld().files().HostPath("\\My Documents\\My Pictures\\snap0001.jpg");
  ASSERT_TRUE(host && std::filesystem::exists(*host));
  std::ifstream in(*host, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  const codec::testing::Image picture = codec::testing::DecodeReference(bytes);
  EXPECT_EQ(picture.width, 320);
  EXPECT_EQ(picture.height, 240);
}

TEST_F(CameraSettingsSheetTest, FilePageEditsRefuseWhatAPictureNameCannotHold) {
  StartCamera();
  OpenSheet();
  Run(kFileTab);
  HWND page = Page();
  EXPECT_EQ(GetDlgItemText(page, 1088), "snap");
  EXPECT_EQ(GetDlgItemText(page, 1089), "1");
  EXPECT_EQ(GetDlgItemText(page, 1090), "\\My Documents\\My Pictures\\");

  // A 16th character cannot be entered; ":" is refused with a beep.
  Run("tap 165 79\ntext _holiday_2026X\n");
  EXPECT_EQ(GetDlgItemText(page, 1088), "snap_holiday_20");
  Run("key backspace\nkey backspace\nkey backspace\n");
  std::size_t beeps = Beeps();
  Run("text :\n");
  EXPECT_EQ(GetDlgItemText(page, 1088), "snap_holiday") << "the colon is taken back";
  EXPECT_EQ(Beeps(), beeps + 1);

  // 10000 beeps and keeps the number before it.
  Run("tap 68 125\ntext 000\n");
  EXPECT_EQ(GetDlgItemText(page, 1089), "1000");
  beeps = Beeps();
  Run("text 0\n");
  EXPECT_EQ(GetDlgItemText(page, 1089), "1000");
  EXPECT_EQ(Beeps(), beeps + 1);

  // An empty counter keeps the focus: leaving it beeps, OK stays.
  Run("key backspace\nkey backspace\nkey backspace\nkey backspace\n");
  beeps = Beeps();
  Run("tap 60 79\nwait 100\n" + std::string(kDone));
  EXPECT_GE(Beeps(), beeps + 2);
  EXPECT_EQ(Front(), GetParent(page)) << "the sheet stays open";
  // Enter and the arrows do nothing on this page.
  Run("text 42\nkey enter\nkey up\nkey left\nwait 200\n");
  EXPECT_EQ(Front(), GetParent(page));
  EXPECT_EQ(GetDlgItemText(page, 1089), "42");
  EXPECT_FALSE(Stored("jpgno"));

  Run(kDone);
  EXPECT_EQ(StoredText("filename prefix"), "snap_holiday");
  EXPECT_EQ(Stored("jpgno"), 42u);
  EXPECT_EQ(StoredText("defaultfolder"), "\\My Documents\\My Pictures\\");
}

TEST_F(CameraSettingsSheetTest, FolderChooserMakesRefusesAndDeletesFolders) {
  StartCamera();
  OpenSheet();
  Run(kFileTab + std::string("tap 219 170\nwait 400\n"));
  HWND chooser = Front();
  HWND tree = GetDlgItem(chooser, 1039);
  ASSERT_NE(tree, nullptr);
  // The folder in use is opened and selected.
  auto selected_text = [&tree] {
    return TreeText(tree,
                    reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
  };
  EXPECT_EQ(selected_text(), "My Pictures");

  constexpr char kAdd[] = "tap 60 246\nwait 300\n";
  constexpr char kDelete[] = "tap 178 246\nwait 300\n";
  // A new folder, named in place.
  Run(kAdd + std::string("text Holiday\nkey enter\nwait 300\n"));
  EXPECT_TRUE(FolderExists(std::string(kPictures) + "\\Holiday"));
  EXPECT_EQ(selected_text(), "Holiday");

  // A name a sibling has is refused.
  SelectFolder(tree, {"\\", "My Documents", "My Pictures"});
  Run(std::string(kAdd) + "text holiday\nkey enter\n" +
      "expect-box \"This folder already exists.\"\n");
  EXPECT_EQ(Boxes().back().request.icon(), static_cast<UINT>(MB_ICONERROR));
  // So are the forbidden characters, with no icon.
  Run(kAdd + std::string("text a:b\nkey enter\n") +
      "expect-box \"Folder name can't contain chars:\"\n");
  EXPECT_EQ(Boxes().back().request.icon(), 0u);
  EXPECT_FALSE(FolderExists(std::string(kPictures) + "\\a:b"));
  // And a folder whose pictures' paths would not fit the driver's record.
  const std::string long_name(70, 'a');
  Run(std::string(kAdd) + "text " + long_name + "\nkey enter\nexpect-box \"too long\"\n");
  EXPECT_FALSE(FolderExists(std::string(kPictures) + "\\" + long_name));

  // A folder that is not empty is kept.
  ASSERT_TRUE(emulator_->handheld().files().InstallFile(
      std::string(kPictures) + "\\Holiday\\note.txt", std::as_bytes(std::span("x", 1))));
  SelectFolder(tree, {"\\", "My Documents", "My Pictures", "Holiday"});
  Run(std::string("answer yes\n") + kDelete +
      "expect-box \"The folder is not empty, delete failed\"\n");
  EXPECT_TRUE(FolderExists(std::string(kPictures) + "\\Holiday"));
  EXPECT_NE(Boxes().back().request.text.find("\\Holiday?"), std::string::npos);

  // Nothing selected: Add Folder says so.
  SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, 0);
  Run(kAdd + std::string("expect-box \"Please select one folder first.\"\n") + kLowerInputPanel);

  // Holiday becomes the folder in use; deleting it then moves the pictures
  // to its parent at once.
  SelectFolder(tree, {"\\", "My Documents", "My Pictures", "Holiday"});
  ASSERT_TRUE(
      emulator_->handheld().files().DeleteFile(std::string(kPictures) + "\\Holiday\\note.txt"));
  Run("tap 73 276\nwait 300\n");
  EXPECT_EQ(GetDlgItemText(Page(), 1090), "\\My Documents\\My Pictures\\Holiday\\");
  Run("tap 219 170\nwait 400\n");
  tree = GetDlgItem(Front(), 1039);
  EXPECT_EQ(selected_text(), "Holiday");
  Run("answer yes\n" + std::string(kDelete) + "expect-box \"Are you sure\"\n");
  EXPECT_FALSE(FolderExists(std::string(kPictures) + "\\Holiday"));
  EXPECT_EQ(StoredText("defaultfolder"), "\\My Documents\\My Pictures\\");
  EXPECT_EQ(selected_text(), "My Pictures");
  Run("tap 166 276\nwait 300\n");
  EXPECT_EQ(GetDlgItemText(Page(), 1090), "\\My Documents\\My Pictures\\");
  Run("key escape\nwait 300\n");
}

TEST_F(CameraSettingsSheetTest, VideoPageStoresSizeAndSoundOnOkOnly) {
  StartCamera();
  OpenSheet();
  Run(kVideoTab);
  HWND page = Page();
  EXPECT_EQ(IsDlgButtonChecked(page, 1002), static_cast<UINT>(BST_CHECKED)) << "160x120 at first";
  EXPECT_EQ(IsDlgButtonChecked(page, 1004), static_cast<UINT>(BST_CHECKED)) << "sound on";
  Run("tap 25 78\ntap 25 154\nwait 100\nkey escape\nwait 300\n");
  EXPECT_FALSE(Stored("aviresolution"));
  EXPECT_FALSE(Stored("recordwithaudio"));

  OpenSheet();
  Run(kVideoTab + std::string("tap 25 78\ntap 25 154\nwait 100\n") + kDone + "wait 500\n");
  EXPECT_EQ(Stored("aviresolution"), 0u);
  EXPECT_EQ(Stored("recordwithaudio"), 0u);
  EXPECT_FALSE(Stored("awb")) << "only the pages that changed or always store";
}

TEST_F(CameraSettingsSheetTest, AboutBoxListsTheDriversVersion) {
  StartCamera();
  PostMessage(FindWindow("Dialog", testing::kCameraCaption), WM_COMMAND, 32829, 0);
  Run("wait 400\n");
  HWND list = GetDlgItem(Front(), 1075);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(ListCount(list), 4);
  EXPECT_EQ(ListText(list, 0), "Interface");
  EXPECT_EQ(ListText(list, 0, 1), "1.0.0");
  EXPECT_EQ(ListText(list, 1, 1), "0.2.1");
  EXPECT_EQ(ListText(list, 2), "Driver");
  EXPECT_EQ(ListText(list, 2, 1), "0.88.004");
  EXPECT_EQ(ListText(list, 3, 1), "0.88.004");
  const std::string time = GetDlgItemText(Front(), 1076);
  EXPECT_EQ(time.size(), 28u) << time;
  EXPECT_EQ(time.substr(0, 4), "    ");
  EXPECT_EQ(GetDlgItemText(Front(), 1077), "V1.00.01");
  Run(kDone);
}

TEST_F(CameraSettingsSheetTest, HelpOpensFromTheSheetItsOptionListsAndTheChooser) {
  StartCamera();
  // One help request per window in front; each opens the help viewer,
  // which is closed again so that the next request must open it anew.
  auto helped = [this] {
    constexpr char kPage[] = "file:Quillon Mobile Camera Help.htm";
    if (FindWindow("HelpViewer", kPage)) return false;
    Run("help\nwait 200\n");
    const bool opened =
        RunScript(std::string("expect-window HelpViewer \"") + kPage + "\"\n").report.failures == 0;
    PostMessage(FindWindow("HelpViewer", kPage), WM_CLOSE, 0, 0);
    Run("wait 300\n");
    return opened;
  };
  OpenSheet();
  EXPECT_TRUE(helped()) << "the sheet";
  Run(DoubleTapRow(1));
  EXPECT_TRUE(helped()) << "an option list";
  Run("key escape\nwait 300\n" + std::string(kFileTab) + "tap 219 170\nwait 400\n");
  EXPECT_TRUE(helped()) << "the folder chooser";
  Run("tap 166 276\nwait 300\nkey escape\nwait 300\n");
}

// Every label and button of the dialogs in a language: its text must fit
// its control (the long German and the Korean words are the test), and the
// screens match their golden pictures (after a deliberate change:
// ORSA_UPDATE_GOLDEN=1 ... --gtest_filter='CameraSheetLanguageTest.*').
class CameraSheetLanguageTest
    : public CameraSettingsSheetTest,
      public ::testing::WithParamInterface<std::pair<DWORD, const char*>> {
 protected:
  void SetUp() override {
    emulator_.reset();
    EmulatorOptions options{root_};
    options.locale_id = GetParam().first;
    emulator_ = std::make_unique<Emulator>(options);
  }

  // The controls of `dialog` whose text is wider than their room.
  static std::vector<std::string> Misfits(HWND dialog) {
    std::vector<std::string> misfits;
    EnumChildWindows(
        dialog,
        [&misfits](HWND control, LPARAM) -> BOOL {
          const std::string window_class = GetClassName(control);
          const DWORD style = static_cast<DWORD>(GetWindowLong(control, GWL_STYLE));
          const std::string text = GetWindowText(control);
          const int id = GetDlgCtrlID(control);
          // The option descriptions wrap over their lines.
          const bool wraps = id == 1073 || id == 1087;
          if (text.empty() || wraps || (window_class != "STATIC" && window_class != "BUTTON")) {
            return TRUE;
          }
          if (window_class == "STATIC" && (style & SS_TYPEMASK) == SS_BITMAP) return TRUE;
          RECT client;
          GetClientRect(control, &client);
          int room = client.right - client.left;
          if (window_class == "BUTTON") {
            const DWORD kind = style & BS_TYPEMASK;
            // The box or circle of a check or radio button; the frame of a
            // push button and of a group box's title.
            room -= (kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON ||
                     kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX)
                        ? 18
                        : 8;
          }
          HDC dc = GetDC(control);
          auto font = reinterpret_cast<HGDIOBJ>(SendMessage(control, WM_GETFONT, 0, 0));
          HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
          SIZE size{};
          GetTextExtentPoint32(dc, text, &size);
          if (old) SelectObject(dc, old);
          ReleaseDC(control, dc);
          if (size.cx > room) {
            misfits.push_back(std::to_string(id) + " \"" + text + "\" needs " +
                              std::to_string(size.cx) + " of " + std::to_string(room));
          }
          return TRUE;
        },
        0);
    return misfits;
  }

  void CheckScreen(HWND dialog, const std::string& name) {
    for (const std::string& misfit : Misfits(dialog)) ADD_FAILURE() << name << ": " << misfit;
    const std::string file = std::string("camera-") + GetParam().second + "-" + name + ".png";
    Run("screenshot " + file + "\n");
    std::optional<gdi::Surface> shot = gdi::ReadPng(root_ / file);
    ASSERT_TRUE(shot);
    const std::filesystem::path golden = std::filesystem::path(ORSA_GOLDEN_FOLDER) / file;
    if (std::getenv("ORSA_UPDATE_GOLDEN")) {
      ASSERT_TRUE(gdi::WritePng(*shot, golden));
      return;
    }
    std::optional<gdi::Surface> expected = gdi::ReadPng(golden);
    ASSERT_TRUE(expected) << "no golden picture at " << golden;
    const testing::Difference difference = testing::Compare(*expected, *shot, 24);
    ASSERT_TRUE(difference.same_size);
    EXPECT_LE(difference.differing_pixels, difference.total_pixels / 200)
        << file << ": see " << root_ / file << " against " << golden;
  }
};

TEST_P(CameraSheetLanguageTest, EveryTextFitsItsControlOnEveryScreen) {
  Run("insert-card\nexpect-window Dialog\nwait 1000\n");
  OpenSheet();
  HWND sheet = Front();
  // The tabs are as wide as their captions: pages are chosen by index.
  auto show_page = [this, sheet](int index) {
    SendMessage(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Run("wait 300\n");
  };
  CheckScreen(Page(), "settings");
  Run(DoubleTapRow(1) + TapRow(1));
  CheckScreen(Front(), "options");
  Run("key escape\nwait 300\n");
  show_page(1);
  CheckScreen(Page(), "setup");
  // Reset shows the defaults in the handheld's language, as they were.
  HWND setup = GetDlgItem(Page(), 1079);
  std::vector<std::string> before;
  for (int row = 0; row < 4; ++row) before.push_back(ListText(setup, row));
  Run(kReset);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(ListText(setup, row), before[row]) << row;
  show_page(2);
  CheckScreen(Page(), "file");
  Run("tap 219 170\nwait 400\n");
  CheckScreen(Front(), "folders");
  Run("tap 166 276\nwait 500\n");
  show_page(3);
  CheckScreen(Page(), "video");
  Run("key escape\nwait 300\n");
  PostMessage(Front(), WM_COMMAND, 32829, 0);
  Run("wait 400\n");
  for (const std::string& misfit : Misfits(Front())) ADD_FAILURE() << "about: " << misfit;
  Run(kDone);
}

INSTANTIATE_TEST_SUITE_P(Languages, CameraSheetLanguageTest,
                         ::testing::Values(std::pair<DWORD, const char*>{0x0409, "english"},
                                           std::pair<DWORD, const char*>{0x0407, "german"},
                                           std::pair<DWORD, const char*>{0x0412, "korean"}),
                         [](const auto& info) { return std::string(info.param.second); });

}  // namespace
}  // namespace handheld
