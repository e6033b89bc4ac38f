// Renaming: the name offered, the length rule, the error table, and the
// sheet itself in the running gallery carrying the voice note.
#include <gtest/gtest.h>

#include "file_operations/rename_rules.h"
#include "gallery/file_types/voice_note.h"
#include "gallery/resources/commands.h"
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "gallery_fixture.h"
#include "platform/dialogs.h"
#include "platform/property_sheet.h"
#include "platform/shell_help.h"

namespace gallery {
namespace {

using testing::kPicture;

TEST(RenameRulesTest, TheNameShowsWithoutAThreeCharacterExtension) {
  EXPECT_EQ(SplitForRename("\\a\\IMG_0001.jpg").shown, "IMG_0001");
  EXPECT_EQ(SplitForRename("\\a\\IMG_0001.jpg").extension, "jpg");
  EXPECT_EQ(SplitForRename("\\a\\IMG_0001.jpg").folder, "\\a\\");
  EXPECT_EQ(SplitForRename("\\a\\.jpg").shown, ".jpg");  // nothing would be left
  EXPECT_EQ(SplitForRename("\\a\\photo.jpeg").shown, "photo.jpeg");
}

TEST(RenameRulesTest, TheSameNameIsNoChangeAndAnEmptyOneIsRefused) {
  EXPECT_EQ(PlanRename("\\a\\IMG_0001.jpg", "IMG_0001").verdict, RenameVerdict::kUnchanged);
  EXPECT_EQ(PlanRename("\\a\\IMG_0001.jpg", "img_0001").verdict, RenameVerdict::kUnchanged);
  EXPECT_EQ(PlanRename("\\a\\IMG_0001.jpg", "").verdict, RenameVerdict::kInvalidName);
  const RenamePlan plan = PlanRename("\\a\\IMG_0001.jpg", "Beach");
  EXPECT_EQ(plan.verdict, RenameVerdict::kRename);
  EXPECT_EQ(plan.new_path, "\\a\\Beach.jpg");
  // A name shown whole keeps no extension of its own.
  EXPECT_EQ(PlanRename("\\a\\photo.jpeg", "beach.jpeg").new_path, "\\a\\beach.jpeg");
}

TEST(RenameRulesTest, TheNameIsCutToTheRoomTheFolderLeaves) {
  const std::string folder = "\\" + std::string(240, 'f') + "\\";  // 242 characters
  const RenamePlan plan = PlanRename(folder + "a.jpg", std::string(20, 'n'));
  ASSERT_EQ(plan.verdict, RenameVerdict::kRename);
  EXPECT_EQ(plan.new_path, folder + std::string(251 - 242, 'n') + ".jpg");
  // Characters, not bytes, and never half of one.
  std::string accents;
  for (int i = 0; i < 10; ++i) accents += "\xC3\xA9";
  EXPECT_EQ(PlanRename(folder + "a.jpg", accents).new_path,
            folder + accents.substr(0, 9 * 2) + ".jpg");
}

TEST(RenameRulesTest, AFolderLongerThanTheLimitRefusesEveryName) {
  for (std::size_t length : {240u, 249u, 250u, 300u}) {
    const std::string folder = "\\" + std::string(length, 'f') + "\\";
    EXPECT_EQ(PlanRename(folder + "a.jpg", "b").verdict,
              length + 2 >= 251 ? RenameVerdict::kInvalidName : RenameVerdict::kRename)
        << length;
  }
}

TEST(RenameRulesTest, ErrorsMapToTheirTexts) {
  EXPECT_EQ(RenameErrorText(183), kStringNameExists);
  for (platform::DWORD error : {2u, 112u, 123u, 206u}) {
    EXPECT_EQ(RenameErrorText(error), kStringInvalidName) << error;
  }
  EXPECT_EQ(RenameErrorText(32), kStringOtherError);
  EXPECT_EQ(RenameErrorText(5), kStringOtherError);
}

class RenameSheetTest : public testing::GalleryFixture {
 protected:
  static constexpr char kFolder[] = "\\My Documents\\My Pictures\\";
  static platform::HWND Sheet() {
    return platform::FindWindow("Dialog", std::string_view("Rename"));
  }
  static platform::HWND Page() {
    return reinterpret_cast<platform::HWND>(
        platform::SendMessage(Sheet(), platform::PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  void OpenSheet() {
    platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandRenameItem, 0);
    Settle();
    ASSERT_TRUE(Sheet());
  }
  void Done(const std::string& name) {
    platform::SetDlgItemText(Page(), kEditRenameName, name);
    platform::PostMessage(Sheet(), platform::PSM_PRESSBUTTON, platform::PSBTN_OK, 0);
    Settle();
  }
  bool Exists(const std::string& path) {
    return platform::GetFileAttributes(path) != platform::INVALID_FILE_ATTRIBUTES;
  }
};

TEST_F(RenameSheetTest, ANewNameTakesTheVoiceNoteAlong) {
  Put(VoiceNotePath(kPicture), "note");
  Start(kPicture);
  OpenSheet();
  EXPECT_EQ(platform::GetDlgItemText(Page(), kEditRenameName), "snap0001");
  Done("Beach");
  EXPECT_FALSE(Sheet());
  EXPECT_TRUE(Exists(std::string(kFolder) + "Beach.jpg"));
  EXPECT_TRUE(Exists(std::string(kFolder) + "Beach.WAV"));
  EXPECT_FALSE(Exists(kPicture));
  EXPECT_FALSE(Exists(VoiceNotePath(kPicture)));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(RenameSheetTest, TheSameNameClosesWithoutAChangeAndAnEmptyOneKeepsTheSheet) {
  Start(kPicture);
  OpenSheet();
  Done("");
  ASSERT_TRUE(Sheet());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.text, "The name is not valid.");
  EXPECT_EQ(Boxes()[0].request.caption, "Error");
  Done("snap0001");
  EXPECT_FALSE(Sheet());
  EXPECT_TRUE(Exists(kPicture));
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(RenameSheetTest, ATakenNameKeepsTheSheetOpenAndTheFilesWhereTheyWere) {
  Put(std::string(kFolder) + "taken.jpg", "other");
  Put(VoiceNotePath(kPicture), "note");
  Start(kPicture);
  OpenSheet();
  Done("taken");
  EXPECT_TRUE(Sheet());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.text, "A file or folder of that name already exists.");
  EXPECT_TRUE(Exists(kPicture));
  EXPECT_TRUE(Exists(VoiceNotePath(kPicture)));
  // A note of that name in the way undoes the picture's rename.
  Put(std::string(kFolder) + "free.WAV", "someone else's note");
  Done("free");
  EXPECT_TRUE(Sheet());
  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_TRUE(Exists(kPicture));
  EXPECT_TRUE(Exists(VoiceNotePath(kPicture)));
  EXPECT_FALSE(Exists(std::string(kFolder) + "free.jpg"));
  platform::PostMessage(Sheet(), platform::PSM_PRESSBUTTON, platform::PSBTN_CANCEL, 0);
  Settle();
}

// The help key asks the window in front, which is the sheet, not its page.
TEST_F(RenameSheetTest, TheHelpKeyOnTheSheetOpensTheOverview) {
  Start(kPicture);
  OpenSheet();
  ASSERT_EQ(platform::GetForegroundWindow(), Sheet());
  ASSERT_TRUE(platform::SHSendHelpRequest());
  Settle();
  EXPECT_TRUE(platform::FindWindow("HelpViewer", std::string_view("orsagal.htc#OVERVIEW")));
  EXPECT_TRUE(Sheet());
  platform::PostMessage(Sheet(), platform::PSM_PRESSBUTTON, platform::PSBTN_CANCEL, 0);
  Settle();
}

}  // namespace
}  // namespace gallery
