// Starting the gallery: where it starts, the one path it takes and never
// trusts, the single instance, the libraries it cannot do without, and
// what it remembers when it closes.
#include <gtest/gtest.h>

#include "command_line.h"
#include "gallery_fixture.h"
#include "gallery_state.h"
#include "platform/menus.h"

namespace gallery {
namespace {

using testing::kPicture;
using testing::kPictures;

class StartUpTest : public testing::GalleryFixture {};

TEST_F(StartUpTest, WithoutACommandLineItStartsInTheDocumentsFolder) {
  const auto gallery = Start("");
  ASSERT_TRUE(gallery);
  ASSERT_TRUE(Top());
  ASSERT_TRUE(Browser());
  EXPECT_EQ(platform::GetWindowText(Top()), "Gallery");
  EXPECT_EQ(platform::GetWindowText(Browser()), "Gallery");
  EXPECT_EQ(Close(gallery), 0u);
  EXPECT_EQ(Remembered("Directory"), "\\My Documents\\");
  // Subfolders are listed by default: the last file listed is current.
  EXPECT_EQ(Remembered("Path"), kPicture);
  EXPECT_EQ(Top(), nullptr);
}

TEST_F(StartUpTest, APicturesPathMakesItCurrentInItsFolder) {
  const auto gallery = Start(kPicture);
  EXPECT_EQ(platform::GetWindowText(platform::GetDlgItem(Browser(), 1107)), "snap0001.jpg");
  EXPECT_EQ(Close(gallery), 0u);
  EXPECT_EQ(Remembered("Directory"), std::string(kPictures) + "\\");
  EXPECT_EQ(Remembered("Path"), kPicture);
}

TEST_F(StartUpTest, AFolderPathBrowsesThatFolder) {
  const auto gallery = Start(kPictures);
  Close(gallery);
  EXPECT_EQ(Remembered("Directory"), std::string(kPictures) + "\\");
  // The folder itself is not listed: its last file is current.
  EXPECT_EQ(Remembered("Path"), kPicture);
}

TEST_F(StartUpTest, AQuotedPathIsTakenWithoutItsQuotes) {
  Close(Start(std::string("\"") + kPicture + "\""));
  EXPECT_EQ(Remembered("Path"), kPicture);
}

TEST_F(StartUpTest, AnUntrustedLineStartsOnTheLastFolderAndWritesNothing) {
  const std::string last = std::string(kPictures) + "\\snap0001.jpg";
  const std::string lines[] = {
      "\\" + std::string(600, 'x') + ".jpg",          // over-long
      "\\My Documents\\My Pictures\\gone.jpg",        // missing
      "\"\\My Documents\\My Pictures\\snap0001.jpg",  // one quote
      "a\" \"b",                                      // quotes inside
      "snap0001.jpg",                                 // not absolute
  };
  for (const std::string& line : lines) {
    Remember("Directory", "");
    Remember("Path", last);
    const auto gallery = Start(line);
    ASSERT_TRUE(gallery) << line;
    ASSERT_TRUE(Browser()) << line;
    EXPECT_EQ(Remembered("Path"), last) << "while running: " << line;
    EXPECT_EQ(Close(gallery), 0u) << line;
    EXPECT_EQ(Remembered("Directory"), std::string(kPictures) + "\\") << line;
    EXPECT_EQ(Remembered("Path"), last) << line;
  }
}

TEST_F(StartUpTest, ASecondStartHandsItsPathToTheFirstAndEnds) {
  const auto first = Start("");
  const platform::HWND browser = Browser();
  const auto second = Start(kPicture);
  ASSERT_TRUE(second);
  EXPECT_EQ(ExitCode(second), 1u);
  EXPECT_EQ(WindowsOfClass("orsagal"), 1);
  EXPECT_EQ(Browser(), browser);
  EXPECT_EQ(platform::GetForegroundWindow(), browser);
  EXPECT_EQ(platform::GetWindowText(platform::GetDlgItem(browser, 1107)), "snap0001.jpg");
  Close(first);
  EXPECT_EQ(Remembered("Directory"), std::string(kPictures) + "\\");
  EXPECT_EQ(Remembered("Path"), kPicture);
}

TEST_F(StartUpTest, WithoutItsResourceLibraryItSaysSoAndEnds) {
  Remove("\\Windows\\orsagalres.dll");
  const auto gallery = Start("");
  ASSERT_TRUE(gallery);
  EXPECT_EQ(ExitCode(gallery), 1u);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "Resource file (orsagalres.dll) not found!");
  EXPECT_EQ(boxes[0].request.caption, "orsagal.exe");
  EXPECT_EQ(boxes[0].request.type & platform::MB_ICONMASK, platform::MB_ICONEXCLAMATION);
  EXPECT_EQ(Top(), nullptr);
}

TEST_F(StartUpTest, WithoutTheBeamLibraryItDoesNotStartAndTheBoxNamesIt) {
  Remove("\\Windows\\orsabeam.dll");
  EXPECT_FALSE(Start(""));
  const auto boxes = Boxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_NE(boxes.back().request.text.find("orsabeam.dll"), std::string::npos)
      << boxes.back().request.text;
  EXPECT_EQ(Top(), nullptr);
}

TEST_F(StartUpTest, TheChildrenSitAtTheirPlaces) {
  const auto gallery = Start("");
  struct Place {
    int id, x, y, width, height;
    bool visible;
  };
  const Place places[] = {{1110, 0, 0, 240, 180, true},  {1112, 176, 180, 64, 38, false},
                          {1111, 0, 248, 240, 20, true}, {1107, 4, 184, 168, 15, true},
                          {1108, 4, 201, 168, 13, true}, {1200, 0, 218, 40, 30, true},
                          {1205, 200, 218, 40, 30, true}};
  platform::RECT browser;
  platform::GetWindowRect(Browser(), &browser);
  EXPECT_EQ(browser.top, 26);
  EXPECT_EQ(browser.bottom, 294);  // room for the menu bar below
  for (const Place& place : places) {
    const platform::HWND child = platform::GetDlgItem(Browser(), place.id);
    ASSERT_TRUE(child) << place.id;
    platform::RECT rect;
    platform::GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left - browser.left, place.x) << place.id;
    EXPECT_EQ(rect.top - browser.top, place.y) << place.id;
    EXPECT_EQ(rect.right - rect.left, place.width) << place.id;
    EXPECT_EQ(rect.bottom - rect.top, place.height) << place.id;
    EXPECT_EQ(platform::IsWindowVisible(child) != 0, place.visible) << place.id;
  }
  Close(gallery);
}

class GermanStartUpTest : public testing::GalleryFixture {
 protected:
  GermanStartUpTest() : GalleryFixture(0x0407) {}
};

TEST_F(GermanStartUpTest, TheHandheldsLanguageNamesTheWindowsAndTheMenu) {
  const auto gallery = Start("");
  EXPECT_EQ(platform::GetWindowText(Browser()), "Galerie");
  auto menu = reinterpret_cast<platform::HMENU>(
      platform::SendMessage(MenuBar(), platform::SHCMBM_GETMENU, 0, 0));
  EXPECT_EQ(platform::GetMenuString(menu, 0, platform::MF_BYPOSITION), "Menü");
  Close(gallery);
}

TEST(CommandLineTest, FolderOfAPath) {
  EXPECT_EQ(FolderOf("\\My Documents\\a.jpg"), "\\My Documents");
  EXPECT_EQ(FolderOf("\\My Documents\\"), "\\My Documents");
  EXPECT_EQ(FolderOf("\\a.jpg"), "\\");
  EXPECT_EQ(FolderOf("a.jpg"), "\\");
}

}  // namespace
}  // namespace gallery
