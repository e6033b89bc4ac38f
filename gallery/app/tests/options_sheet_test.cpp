// The options sheet and the About box, driven as a person would: pages
// show the options, only OK stores them, and only a changed sort lists the
// folder again.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gallery/options/gallery_options.h"
#include "gallery/resources/commands.h"
#include "gallery/resources/dialog_ids.h"
#include "gallery_fixture.h"
#include "gallery_state.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/external_display.h"
#include "platform/property_sheet.h"
#include "platform/screen.h"
#include "view_pictures.h"

namespace gallery {
namespace {

using platform::HWND;
using platform::SendMessage;

constexpr char kSettings[] = "SOFTWARE\\QX\\orsagal\\Settings";

class OptionsSheetTest : public testing::GalleryFixture {
 protected:
  HWND OpenSheet() {
    platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandOptions, 0);
    Settle();
    return platform::FindWindow("Dialog", std::string_view("Options"));
  }
  static HWND Page(HWND sheet, int index) {
    SendMessage(sheet, platform::PSM_SETCURSEL, static_cast<platform::WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessage(sheet, platform::PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  static void Click(HWND page, int id) {
    SendMessage(platform::GetDlgItem(page, id), platform::BM_CLICK, 0, 0);
  }
  static void Choose(HWND page, int id, int index) {
    const HWND combo = platform::GetDlgItem(page, id);
    SendMessage(combo, platform::CB_SETCURSEL, static_cast<platform::WPARAM>(index), 0);
    SendMessage(page, platform::WM_COMMAND,
                platform::MAKEWPARAM(static_cast<platform::WORD>(id), platform::CBN_SELCHANGE),
                reinterpret_cast<platform::LPARAM>(combo));
  }
  static void Press(HWND sheet, platform::WPARAM button) {
    platform::PostMessage(sheet, platform::PSM_PRESSBUTTON, button, 0);
    Settle();
  }
  std::optional<std::vector<platform::BYTE>> Stored(const char* name) {
    return handheld().registry().GetBinary(platform::HKEY_CURRENT_USER, kSettings, name);
  }
  template <std::size_t N>
  static std::vector<platform::BYTE> Bytes(const std::array<std::byte, N>& record) {
    std::vector<platform::BYTE> bytes;
    for (std::byte b : record) bytes.push_back(std::to_integer<platform::BYTE>(b));
    return bytes;
  }
};

TEST_F(OptionsSheetTest, PagesShowTheOptionsAndCancelStoresNothing) {
  const auto gallery = Start("");
  const HWND sheet = OpenSheet();
  ASSERT_TRUE(sheet);
  const HWND general = Page(sheet, 0);
  EXPECT_EQ(platform::IsDlgButtonChecked(general, 1040), platform::BST_CHECKED);
  EXPECT_EQ(platform::IsDlgButtonChecked(general, 1041), platform::BST_UNCHECKED);
  Click(general, 1041);
  Press(sheet, platform::PSBTN_CANCEL);
  EXPECT_FALSE(platform::FindWindow("Dialog", std::string_view("Options")));
  EXPECT_EQ(Stored("General"), Bytes(EncodeGeneral({})));
  EXPECT_FALSE(platform::IsWindowVisible(platform::GetDlgItem(Browser(), 1112)));
  Close(gallery);
}

TEST_F(OptionsSheetTest, TheBrowsersMenuBarIsCoveredWhileTheSheetIsOpen) {
  const auto gallery = Start("");
  const HWND browser_bar = MenuBar();
  const HWND sheet = OpenSheet();
  // A tap on the bar must not reach the browser's menu under the sheet.
  EXPECT_NE(platform::WindowFromPoint(platform::POINT{20, 307}), browser_bar);
  Press(sheet, platform::PSBTN_CANCEL);
  EXPECT_EQ(platform::WindowFromPoint(platform::POINT{20, 307}), browser_bar);
  Close(gallery);
}

TEST_F(OptionsSheetTest, OkStoresEveryPageAtOnce) {
  const auto gallery = Start("");
  const HWND sheet = OpenSheet();
  Click(Page(sheet, 0), 1041);
  const HWND show = Page(sheet, 2);
  Click(show, 1022);  // timed, backward
  platform::SetDlgItemText(show, 1014, "12345");
  Click(show, 1047);
  Choose(show, 1048, 22);  // random
  const HWND audio = Page(sheet, 3);
  Choose(audio, 1006, 1);  // GSM 6.10
  EXPECT_EQ(SendMessage(platform::GetDlgItem(audio, 1007), platform::CB_GETCOUNT, 0, 0), 1);
  Press(sheet, platform::PSBTN_OK);

  EXPECT_TRUE(platform::IsWindowVisible(platform::GetDlgItem(Browser(), 1112)));
  GalleryOptions expected;
  expected.general.show_histogram = 1;
  expected.slideshow.advance_mode = kAdvanceBackward;
  expected.slideshow.interval_seconds = kLongestInterval;  // 12345 is too long
  expected.slideshow.transitions_on = 1;
  expected.slideshow.transition = kRandomTransition;
  expected.audio = kGsmAudio;
  EXPECT_EQ(Stored("General"), Bytes(EncodeGeneral(expected.general)));
  EXPECT_EQ(Stored("Slideshow"), Bytes(EncodeSlideshow(expected.slideshow)));
  EXPECT_EQ(Stored("Audio"), Bytes(EncodeAudio(expected.audio)));
  Close(gallery);
  EXPECT_EQ(Gallery().recorder_audio, kGsmAudio);
}

TEST_F(OptionsSheetTest, AnIntervalThatIsNoNumberBecomesTheLongest) {
  const auto gallery = Start("");
  const HWND sheet = OpenSheet();
  platform::SetDlgItemText(Page(sheet, 2), 1014, "soon");
  Press(sheet, platform::PSBTN_OK);
  Close(gallery);
  EXPECT_EQ(Gallery().options.slideshow.interval_seconds, kLongestInterval);
}

TEST_F(OptionsSheetTest, ChoosingPcmAgainStartsAtElevenKilohertzMono) {
  const auto gallery = Start("");
  HWND sheet = OpenSheet();
  HWND audio = Page(sheet, 3);
  EXPECT_EQ(SendMessage(platform::GetDlgItem(audio, 1007), platform::CB_GETCOUNT, 0, 0), 16);
  EXPECT_EQ(platform::GetDlgItemText(audio, 1007), "11,025 kHz, 8 bit, Mono (11 KB/s)");
  Choose(audio, 1006, 1);
  EXPECT_EQ(platform::GetDlgItemText(audio, 1007), "8,000 kHz, Mono (2 KB/s)");
  Choose(audio, 1006, 0);
  Choose(audio, 1007, 15);
  Press(sheet, platform::PSBTN_OK);
  Close(gallery);
  EXPECT_EQ(Gallery().options.audio, (AudioOptions{kFormatPcm, 2, 44100, 16}));
}

TEST_F(OptionsSheetTest, TheFolderIsListedAgainOnlyWhenTheSortChanged) {
  const auto gallery = Start("");
  HWND sheet = OpenSheet();
  Click(Page(sheet, 0), 1046);  // not a sort option
  Press(sheet, platform::PSBTN_OK);
  sheet = OpenSheet();
  Choose(Page(sheet, 1), 1002, 0);  // descending
  Press(sheet, platform::PSBTN_OK);
  sheet = OpenSheet();
  Choose(Page(sheet, 1), 1001, 2);
  Press(sheet, platform::PSBTN_CANCEL);
  Close(gallery);
  EXPECT_EQ(Gallery().folder_listings, 2);  // the start, and the new order
  EXPECT_EQ(Gallery().options.file.sort_ascending, 0u);
  EXPECT_EQ(Gallery().options.file.sort_key, kSortByName);
}

TEST_F(OptionsSheetTest, CardPicturesAlwaysIncludeTheSubfolders) {
  const auto gallery = Start("");
  const HWND sheet = OpenSheet();
  const HWND file = Page(sheet, 1);
  EXPECT_FALSE(platform::IsWindowEnabled(platform::GetDlgItem(file, 1003)));
  Click(file, 1004);
  EXPECT_TRUE(platform::IsWindowEnabled(platform::GetDlgItem(file, 1003)));
  Click(file, 1003);
  Click(file, 1004);
  EXPECT_EQ(platform::IsDlgButtonChecked(file, 1003), platform::BST_CHECKED);
  EXPECT_FALSE(platform::IsWindowEnabled(platform::GetDlgItem(file, 1003)));
  Press(sheet, platform::PSBTN_CANCEL);
  Close(gallery);
}

TEST_F(OptionsSheetTest, TheGeneralPageRegistersAndRestoresTheFileTypes) {
  handheld().registry().SetString(platform::HKEY_CLASSES_ROOT, ".jpg", "", "jpegfile");
  const auto gallery = Start("");
  const HWND sheet = OpenSheet();
  Click(Page(sheet, 0), 1044);
  EXPECT_EQ(handheld().registry().GetString(platform::HKEY_CLASSES_ROOT, ".jpg", ""),
            "orsagal.jpg");
  EXPECT_EQ(
      handheld().registry().GetString(platform::HKEY_CLASSES_ROOT, "orsagal.jpg\\DefaultIcon", ""),
      "\\Windows\\orsagal.exe,-126");
  Click(Page(sheet, 0), 1045);
  EXPECT_EQ(handheld().registry().GetString(platform::HKEY_CLASSES_ROOT, ".jpg", ""), "jpegfile");
  Press(sheet, platform::PSBTN_CANCEL);
  Close(gallery);
}

TEST_F(OptionsSheetTest, EachPageOpensHelpOnItsTopic) {
  const auto gallery = Start("");
  const HWND sheet = OpenSheet();
  const std::pair<int, const char*> topics[] = {{0, "orsagal.htc#GENERAL"},
                                                {1, "orsagal.htc#GENERAL"},
                                                {2, "orsagal.htc#SLIDESHOW"},
                                                {3, "orsagal.htc#AUDIO"}};
  for (const auto& [page, topic] : topics) {
    Page(sheet, page);
    platform::PostMessage(sheet, platform::WM_HELP, 0, 0);
    Settle();
    EXPECT_TRUE(platform::FindWindow("HelpViewer", std::string_view(topic))) << topic;
  }
  Press(sheet, platform::PSBTN_CANCEL);
  Close(gallery);
}

TEST_F(OptionsSheetTest, TheAboutBoxShowsTheVersionAndCountsTaps) {
  const auto gallery = Start("");
  platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandAbout, 0);
  Settle();
  const HWND about = platform::FindWindow("Dialog", std::string_view("Gallery"));
  ASSERT_TRUE(about);
  EXPECT_EQ(platform::GetDlgItemText(about, 1007), "v1.15.002");
  for (int tap = 0; tap < 6; ++tap) {
    SendMessage(about, platform::WM_COMMAND, platform::MAKEWPARAM(1007, platform::STN_CLICKED),
                reinterpret_cast<platform::LPARAM>(platform::GetDlgItem(about, 1007)));
  }
  platform::PostMessage(about, platform::WM_HELP, 0, 0);
  Settle();
  EXPECT_TRUE(platform::FindWindow("HelpViewer", std::string_view("orsagal.htc#OVERVIEW")));
  platform::PostMessage(about, platform::WM_COMMAND, platform::IDOK, 0);
  Settle();
  EXPECT_FALSE(platform::IsWindow(about));
  Close(gallery);
  EXPECT_EQ(Gallery().about_taps, 6);
}

// The General page's histogram and external display hold at once for the
// file shown, not only from the next file on.
TEST_F(OptionsSheetTest, TheHistogramAndTheExternalDisplayFollowAtOnce) {
  ASSERT_TRUE(imaging::InstallImagingModule(handheld()));
  ASSERT_TRUE(platform::external_display::Attach({640, 480, 16}));
  Remove(testing::kPicture);
  const std::string picture = std::string(testing::kPictures) + "\\shown.jpg";
  const std::vector<std::uint8_t> jpeg = testing::EncodeTestJpeg(320, 240);
  Put(picture, std::string(jpeg.begin(), jpeg.end()));
  Remember("Directory", std::string(testing::kPictures) + "\\");
  Remember("Path", picture);
  const auto gallery = Start("");
  auto shown = platform::external_display::Snapshot();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->GetPixel(320, 240), platform::RGB(0, 0, 0)) << "the option is off";

  const HWND sheet = OpenSheet();
  Click(Page(sheet, 0), kCheckShowHistogram);
  Click(Page(sheet, 0), kCheckExternalDisplay);
  Press(sheet, platform::PSBTN_OK);

  shown = platform::external_display::Snapshot();
  ASSERT_TRUE(shown);
  EXPECT_NE(shown->GetPixel(320, 240), platform::RGB(0, 0, 0)) << "the picture is mirrored";
  // The curves (pure red, green and blue) stand out from the pale yellow
  // ground in the histogram's place on the screen.
  const HWND histogram = platform::GetDlgItem(Browser(), 1112);
  ASSERT_TRUE(platform::IsWindowVisible(histogram));
  platform::RECT place;
  platform::GetWindowRect(histogram, &place);
  const platform::gdi::Surface& screen = platform::screen::Compose();
  int curve_pixels = 0;
  for (int y = place.top; y < place.bottom; ++y)
    for (int x = place.left; x < place.right; ++x)
      if (std::abs(platform::GetBValue(screen.GetPixel(x, y)) - 127) > 40) ++curve_pixels;
  EXPECT_GT(curve_pixels, 64);
  Close(gallery);
}

}  // namespace
}  // namespace gallery
