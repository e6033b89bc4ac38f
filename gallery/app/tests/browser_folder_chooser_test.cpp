// The folder chooser: its folder operations with the error table, and the
// "DirTree" window over the running gallery (start folder, new folder
// numbering, rename by label, remove, Done, the 260-character limit).
#include <gtest/gtest.h>

#include "browser/folder_operations.h"
#include "browser_strip_fixture.h"
#include "folder_chooser_driver.h"
#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "platform/common_controls/tree_view.h"
#include "platform/files.h"
#include "platform/testing/temp_handheld.h"

namespace gallery {
namespace {

using platform::HTREEITEM;
using platform::HWND;

TEST(BrowserFolderOperationsTest, EveryErrorHasItsString) {
  const std::pair<platform::DWORD, platform::UINT> table[] = {
      {2, 570},   {3, 577},   {5, 579},   {17, 579},  {80, 559},  {183, 559},
      {112, 558}, {123, 558}, {145, 576}, {161, 578}, {206, 560}, {87, 560}};
  for (const auto& [error, string] : table) EXPECT_EQ(FolderErrorString(error), string) << error;
}

class BrowserFolderOperationsOnDiskTest : public ::testing::Test {
 protected:
  platform::testing::TempHandheld device_;
};

TEST_F(BrowserFolderOperationsOnDiskTest, ANewFolderTakesTheFirstFreeNumber) {
  ASSERT_TRUE(platform::CreateDirectory("\\A"));
  ASSERT_TRUE(platform::CreateDirectory("\\A\\New Folder"));
  ASSERT_TRUE(platform::CreateDirectory("\\A\\New Folder (2)"));
  const NewFolder made = MakeNewFolder("\\A\\", "New Folder");
  EXPECT_EQ(made.name, "New Folder (3)");
  EXPECT_EQ(made.error, 0u);
  EXPECT_TRUE(platform::GetFileAttributes("\\A\\New Folder (3)") &
              platform::FILE_ATTRIBUTE_DIRECTORY);
  const NewFolder missing = MakeNewFolder("\\Missing\\", "New Folder");
  EXPECT_TRUE(missing.name.empty());
  EXPECT_EQ(missing.error, 3u);
}

TEST_F(BrowserFolderOperationsOnDiskTest, RemovingAndRenamingReportThePlatformsErrors) {
  ASSERT_TRUE(platform::CreateDirectory("\\A"));
  ASSERT_TRUE(platform::CreateDirectory("\\A\\Full"));
  ASSERT_TRUE(platform::CreateDirectory("\\A\\Full\\Inner"));
  ASSERT_TRUE(platform::CreateDirectory("\\A\\Other"));
  EXPECT_EQ(FolderErrorString(RemoveFolder("\\A\\Full\\")), 576u);
  EXPECT_EQ(RemoveFolder("\\A\\Full\\Inner\\"), 0u);
  EXPECT_EQ(FolderErrorString(RenameFolder("\\A\\", "Full", "Other")), 559u);
  EXPECT_EQ(FolderErrorString(RenameFolder("\\A\\", "Full", "bad*name")), 558u);
  EXPECT_EQ(RenameFolder("\\A\\", "Full", "Empty"), 0u);
  EXPECT_EQ(platform::GetFileAttributes("\\A\\Full"), platform::INVALID_FILE_ATTRIBUTES);
}

TEST_F(BrowserFolderOperationsOnDiskTest, AFolderThatWouldNotFitTheBufferIsRefused) {
  // 250 characters of folder: with " (2)" and "\" a name no longer fits.
  const std::string parent = "\\" + std::string(240, 'p') + "\\";
  ASSERT_TRUE(platform::CreateDirectory(parent.substr(0, parent.size() - 1)));
  EXPECT_EQ(RenameFolder(parent, "x", std::string(20, 'n')), 206u);
  EXPECT_TRUE(FolderFits(parent + std::string(16, 'n') + "\\"));
  EXPECT_FALSE(FolderFits(parent + std::string(17, 'n') + "\\"));
  const NewFolder made = MakeNewFolder(parent, std::string(30, 'n'));
  EXPECT_TRUE(made.name.empty());
  EXPECT_EQ(made.error, 206u);
}

class BrowserFolderChooserTest : public testing::BrowserStripFixture,
                                 public testing::FolderChooserDriver {
 protected:
  void Open() {
    platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandChooseFolder, 0);
    Settle();
    ASSERT_TRUE(Chooser());
  }
};

TEST_F(BrowserFolderChooserTest, ItOpensOnTheShownFolderAndDoneBrowsesTheChoice) {
  Pictures(2);
  Put("\\Trip\\x.jpg", Jpeg());
  Start(std::string(testing::kStripFolder) + "aa.jpg");
  Open();
  EXPECT_EQ(Label(), "Choose a folder: \\Strip\\");
  EXPECT_EQ(SelectedText(), "Strip");
  ChooserCommand(kCommandParentFolder);
  EXPECT_EQ(SelectedText(), "Pocket PC");
  EXPECT_EQ(Label(), "Choose a folder: \\");
  EXPECT_EQ(Gallery().folder, testing::kStripFolder);
  ChooserCommand(platform::IDCANCEL);
  EXPECT_FALSE(Chooser());
  Sync();
  EXPECT_EQ(Gallery().folder, testing::kStripFolder);
  Open();
  // Down to \Trip\ through the tree, then Done.
  HTREEITEM root = reinterpret_cast<HTREEITEM>(
      platform::SendMessage(Tree(), platform::TVM_GETNEXTITEM, platform::TVGN_ROOT, 0));
  HTREEITEM child = reinterpret_cast<HTREEITEM>(
      platform::SendMessage(Tree(), platform::TVM_GETNEXTITEM, platform::TVGN_CHILD,
                            reinterpret_cast<platform::LPARAM>(root)));
  std::string found;
  for (; child; child = reinterpret_cast<HTREEITEM>(
                    platform::SendMessage(Tree(), platform::TVM_GETNEXTITEM, platform::TVGN_NEXT,
                                          reinterpret_cast<platform::LPARAM>(child)))) {
    platform::SendMessage(Tree(), platform::TVM_SELECTITEM, platform::TVGN_CARET,
                          reinterpret_cast<platform::LPARAM>(child));
    if (SelectedText() == "Trip") break;
  }
  ASSERT_EQ(SelectedText(), "Trip");
  ChooserCommand(platform::IDOK);
  EXPECT_FALSE(Chooser());
  Sync();
  EXPECT_EQ(Gallery().folder, "\\Trip\\");
  EXPECT_EQ(CurrentName(), "x.jpg");
}

TEST_F(BrowserFolderChooserTest, ANewFolderIsNumberedSelectedAndItsLabelEdited) {
  Pictures(1);
  ASSERT_TRUE(platform::CreateDirectory("\\Strip\\New Folder"));
  ASSERT_TRUE(platform::CreateDirectory("\\Strip\\New Folder (2)"));
  Start(std::string(testing::kStripFolder) + "aa.jpg");
  Open();
  ChooserCommand(kCommandNewFolder);
  EXPECT_EQ(SelectedText(), "New Folder (3)");
  EXPECT_TRUE(platform::GetFileAttributes("\\Strip\\New Folder (3)") &
              platform::FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(platform::SendMessage(Tree(), platform::TVM_GETEDITCONTROL, 0, 0));
  ChooserCommand(platform::IDCANCEL);
}

TEST_F(BrowserFolderChooserTest, RemovingAFullFolderSaysSoAndAnEmptyOneGoes) {
  Pictures(1);
  Start(std::string(testing::kStripFolder) + "aa.jpg");
  Open();
  const std::size_t boxes = Boxes().size();
  ChooserCommand(kCommandRemoveFolder);  // \Strip\ holds a picture
  ASSERT_EQ(Boxes().size(), boxes + 1);
  EXPECT_EQ(Boxes().back().request.text, "The folder is not empty.");
  EXPECT_EQ(Boxes().back().request.caption, "Error");
  EXPECT_EQ(SelectedText(), "Strip");
  ChooserCommand(kCommandNewFolder);
  platform::SendMessage(Tree(), platform::TVM_ENDEDITLABELNOW, platform::TRUE, 0);
  ChooserCommand(kCommandRemoveFolder);
  EXPECT_EQ(Boxes().size(), boxes + 1);
  EXPECT_EQ(platform::GetFileAttributes("\\Strip\\New Folder"), platform::INVALID_FILE_ATTRIBUTES);
  ChooserCommand(platform::IDCANCEL);
}

TEST_F(BrowserFolderChooserTest, AFolderPathTooLongForTheBufferIsRefusedAtDone) {
  const std::string parent = "\\" + std::string(200, 'd');
  ASSERT_TRUE(platform::CreateDirectory(parent));
  // 259 characters: a folder the handheld holds, but not with its "\".
  ASSERT_TRUE(platform::CreateDirectory(parent + "\\" + std::string(57, 'e')));
  Start(parent);
  Open();
  ASSERT_EQ(SelectedText(), std::string(200, 'd'));
  platform::SendMessage(Tree(), platform::TVM_EXPAND, platform::TVE_EXPAND,
                        reinterpret_cast<platform::LPARAM>(Selected()));
  HTREEITEM deep = reinterpret_cast<HTREEITEM>(
      platform::SendMessage(Tree(), platform::TVM_GETNEXTITEM, platform::TVGN_CHILD,
                            reinterpret_cast<platform::LPARAM>(Selected())));
  ASSERT_TRUE(deep);
  platform::SendMessage(Tree(), platform::TVM_SELECTITEM, platform::TVGN_CARET,
                        reinterpret_cast<platform::LPARAM>(deep));
  ChooserCommand(platform::IDOK);
  ASSERT_TRUE(Chooser());  // still open: the path does not fit
  ASSERT_FALSE(Boxes().empty());
  EXPECT_EQ(Boxes().back().request.text, "The operation failed (error 206).");
  ChooserCommand(kCommandParentFolder);
  ChooserCommand(platform::IDOK);
  EXPECT_FALSE(Chooser());
  Sync();
  EXPECT_EQ(Gallery().folder, parent + "\\");
}

}  // namespace
}  // namespace gallery
