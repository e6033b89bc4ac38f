// Move and Copy from the running gallery through the real folder chooser:
// marked pictures with their notes go into a folder made and named in the
// chooser, the choice is remembered, failures are counted in the message
// and stay marked; after each operation the (picture, note) pairs are the
// ones before, moved where the operation says.
#include <gtest/gtest.h>

#include "browser_strip_fixture.h"
#include "folder_chooser_driver.h"
#include "gallery/file_types/voice_note.h"
#include "gallery/options/gallery_options.h"
#include "gallery/options/registry_accessor.h"
#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "picture_pairs.h"
#include "platform/files.h"

namespace gallery {
namespace {

using testing::FolderChooserDriver;
using testing::kStripFolder;
using testing::Pairs;
using testing::PairsIn;
using testing::Take;

constexpr char kDocuments[] = "\\My Documents\\";

class FileOperationsChooserTest : public testing::BrowserStripFixture, public FolderChooserDriver {
 protected:
  // aa.jpg, ab.jpg, ac.jpg, with notes beside aa and ab.
  void ThreePictures() {
    Pictures(3);
    Put(VoiceNotePath(In("aa.jpg")), "note of aa");
    Put(VoiceNotePath(In("ab.jpg")), "note of ab");
    Start(In("aa.jpg"));
    Sync();
  }
  static std::string In(const std::string& name) { return std::string(kStripFolder) + name; }
  // Confirms the operation on the marked pictures and waits for the chooser.
  void Begin(platform::UINT command) {
    handheld().message_boxes().QueueAnswer(platform::IDYES);
    platform::PostMessage(Browser(), platform::WM_COMMAND, command, 0);
    Settle();
    ASSERT_TRUE(Chooser());
  }
  // Done in the chooser; the list follows the shell's notices.
  static void Done() {
    ChooserCommand(platform::IDOK);
    EXPECT_FALSE(Chooser());
    platform::Sleep(700);
    Sync();
  }
  static std::optional<std::string> Remembered(const char* name) {
    return RegistryAccessor(platform::HKEY_CURRENT_USER, kGalleryKey).ReadString(name);
  }
};

TEST_F(FileOperationsChooserTest, AMoveGoesIntoAFolderMadeInTheChooserWithTheNotes) {
  ThreePictures();
  Tap(0, 3, 3);
  Tap(2, 3, 3);  // aa (with a note) and ac (without)
  Pairs source = PairsIn(kStripFolder);
  Begin(kCommandMove);
  EXPECT_EQ(Label(), "Move to: \\My Documents\\");  // nothing remembered yet
  EXPECT_EQ(SelectedText(), "My Documents");
  NewFolderNamed("Beach");
  EXPECT_EQ(SelectedText(), "Beach");
  EXPECT_EQ(Label(), "Move to: \\My Documents\\Beach\\");
  Done();

  const Pairs moved = Take(source, {"aa.jpg", "ac.jpg"});
  EXPECT_EQ(PairsIn(std::string(kDocuments) + "Beach\\"), moved);
  EXPECT_EQ(PairsIn(kStripFolder), source);
  EXPECT_EQ(Remembered("Move"), "\\My Documents\\Beach\\");
  EXPECT_EQ(Strip().count(), 1);
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(Boxes().size(), 1u);  // the confirmation alone
}

TEST_F(FileOperationsChooserTest, ACopyStartsAtTheRememberedFolderAndNeverOverwrites) {
  ThreePictures();
  ASSERT_TRUE(platform::CreateDirectory("\\My Documents\\Trip"));
  ASSERT_TRUE(platform::CreateDirectory("\\My Documents\\Trip\\Day 1"));
  Remember("Copy", "\\My Documents\\Trip\\");
  Tap(0, 3, 3);
  Tap(1, 3, 3);
  const Pairs source = PairsIn(kStripFolder);
  Begin(kCommandCopy);
  EXPECT_EQ(SelectedText(), "Trip");
  ASSERT_TRUE(SelectChild("Day 1"));
  Done();
  Pairs expected = source;
  Take(expected, {"ac.jpg"});
  EXPECT_EQ(PairsIn("\\My Documents\\Trip\\Day 1\\"), expected);
  EXPECT_EQ(PairsIn(kStripFolder), source);
  EXPECT_EQ(Remembered("Copy"), "\\My Documents\\Trip\\Day 1\\");
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(Boxes().size(), 1u);

  // The same two again: both names are taken, both fail and stay marked.
  Tap(0, 3, 3);
  Tap(1, 3, 3);
  Begin(kCommandCopy);
  EXPECT_EQ(SelectedText(), "Day 1");
  Done();
  ASSERT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(Boxes().back().request.text, "2 file(s) could not be copied.");
  EXPECT_EQ(Marked(), (std::vector<int>{0, 1}));
  EXPECT_EQ(PairsIn("\\My Documents\\Trip\\Day 1\\"), expected);
  EXPECT_EQ(PairsIn(kStripFolder), source);
}

TEST_F(FileOperationsChooserTest, ALockedPictureIsTheOneFailureOfAMoveAndStaysMarked) {
  ThreePictures();
  ASSERT_TRUE(platform::CreateDirectory("\\My Documents\\Trip"));
  Remember("Move", "\\My Documents\\Trip\\");
  Command(kCommandMarkAll);
  Pairs source = PairsIn(kStripFolder);
  auto locked =
      platform::CreateFile(In("ab.jpg"), platform::GENERIC_READ, 0, platform::OPEN_EXISTING);
  ASSERT_TRUE(locked);
  Begin(kCommandMove);
  EXPECT_EQ(SelectedText(), "Trip");
  Done();
  locked.Close();
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].request.text, "3 files are marked. Go on?");
  EXPECT_EQ(Boxes()[1].request.text, "1 file(s) could not be moved.");
  EXPECT_EQ(Boxes()[1].request.caption, "Error");
  ASSERT_EQ(Strip().count(), 1);
  EXPECT_EQ(CurrentName(), "ab.jpg");
  EXPECT_EQ(Marked(), (std::vector<int>{0}));
  const Pairs moved = Take(source, {"aa.jpg", "ac.jpg"});
  EXPECT_EQ(PairsIn("\\My Documents\\Trip\\"), moved);
  EXPECT_EQ(PairsIn(kStripFolder), source);
}

TEST_F(FileOperationsChooserTest, TheListedFolderChosenAsDestinationDoesNothing) {
  ThreePictures();
  Remember("Copy", kStripFolder);
  Command(kCommandMarkAll);
  const Pairs before = PairsIn(kStripFolder);
  Begin(kCommandCopy);
  EXPECT_EQ(SelectedText(), "Strip");
  Done();
  EXPECT_EQ(PairsIn(kStripFolder), before);
  EXPECT_EQ(Marked(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Boxes().size(), 1u);
}

// Twenty marked pictures with notes copied to a storage card with room for
// twelve pairs: twelve whole pairs on the card, nothing half-written, the
// message counts the eight that failed and those stay marked.
TEST_F(FileOperationsChooserTest, ACopyOntoACardThatFillsCountsWhatDidNotFit) {
  constexpr std::size_t kPicture = 1000, kNote = 500;
  for (int i = 0; i < 20; ++i) {
    const std::string tag = std::to_string(100 + i);
    Put(In("IMG_" + tag + ".jpg"), tag + std::string(kPicture - tag.size(), 'p'));
    Put(VoiceNotePath(In("IMG_" + tag + ".jpg")), tag + std::string(kNote - tag.size(), 'n'));
  }
  Start(In("IMG_100.jpg"));
  Sync();
  ASSERT_TRUE(handheld().files().InsertStorageCard(12 * (kPicture + kNote) + kPicture / 2));
  ASSERT_TRUE(platform::CreateDirectory("\\Storage Card\\Trip"));
  Sync();
  Remember("Copy", "\\Storage Card\\Trip\\");
  Command(kCommandMarkAll);
  const Pairs source = PairsIn(kStripFolder);
  Begin(kCommandCopy);
  EXPECT_EQ(Label(), "Copy to: \\Storage Card\\Trip\\");
  Done();
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].request.text, "8 file(s) could not be copied.");
  Pairs first_twelve = source;
  for (int i = 12; i < 20; ++i) first_twelve.erase("IMG_" + std::to_string(100 + i) + ".jpg");
  EXPECT_EQ(PairsIn("\\Storage Card\\Trip\\"), first_twelve);
  EXPECT_EQ(PairsIn(kStripFolder), source);
  std::vector<int> failed;
  for (int i = 12; i < 20; ++i) failed.push_back(i);
  EXPECT_EQ(Marked(), failed);
}

}  // namespace
}  // namespace gallery
