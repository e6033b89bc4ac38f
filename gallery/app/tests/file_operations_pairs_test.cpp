// Delete, move and copy of pictures with their voice notes, straight on a
// handheld's files: after every operation the (picture, note) pairs are
// the ones before, moved where the operation says, with locked files, name
// clashes and a storage card that fills part way.
#include <gtest/gtest.h>

#include <map>
#include <span>
#include <string>
#include <vector>

#include "file_operations/file_batch.h"
#include "gallery/file_types/voice_note.h"
#include "picture_pairs.h"
#include "platform/files.h"
#include "platform/testing/temp_handheld.h"

namespace gallery {
namespace {

using platform::DWORD;

constexpr char kFolder[] = "\\My Documents\\My Pictures\\";
constexpr char kOther[] = "\\My Documents\\Trip\\";
constexpr char kCard[] = "\\Storage Card\\Trip\\";
constexpr std::size_t kPictureBytes = 1000;
constexpr std::size_t kNoteBytes = 500;

using testing::Pairs;
using testing::PairsIn;
using testing::Take;

class FileOperationsPairsTest : public ::testing::Test {
 protected:
  FileOperationsPairsTest() {
    platform::CreateDirectory("\\My Documents\\My Pictures");
    platform::CreateDirectory("\\My Documents\\Trip");
  }

  static void Write(const std::string& path, const std::string& contents) {
    auto file = platform::CreateFile(path, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ASSERT_TRUE(
        platform::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written));
  }
  // picture i of a folder, with a note when asked; contents name the pair
  // so that a mixed-up pair shows.
  static std::string Picture(const std::string& folder, int i) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.jpg", i);
    return folder + name;
  }
  static void PutPicture(const std::string& folder, int i, bool note) {
    const std::string tag = std::to_string(i);
    Write(Picture(folder, i), tag + std::string(kPictureBytes - tag.size(), 'p'));
    if (note)
      Write(VoiceNotePath(Picture(folder, i)), tag + std::string(kNoteBytes - tag.size(), 'n'));
  }

  static std::string NameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

  platform::testing::TempHandheld device_;
};

TEST_F(FileOperationsPairsTest, DeleteTakesTheNoteAlongAndOnlyThePictureWhenItHasNone) {
  PutPicture(kFolder, 1, true);
  PutPicture(kFolder, 2, false);
  PutPicture(kFolder, 3, true);
  Pairs before = PairsIn(kFolder);
  const auto outcomes = RunFileOperation(FileOperation::kDelete,
                                         {Picture(kFolder, 1), Picture(kFolder, 2)}, "", kFolder);
  ASSERT_TRUE(outcomes);
  EXPECT_EQ(FailedCount(*outcomes), 0);
  Take(before, {"IMG_0001.jpg", "IMG_0002.jpg"});
  EXPECT_EQ(PairsIn(kFolder), before);  // IMG_0003 and its note untouched
}

TEST_F(FileOperationsPairsTest, ALockedPictureFailsAloneAndKeepsItsNote) {
  for (int i = 1; i <= 3; ++i) PutPicture(kFolder, i, true);
  Pairs source = PairsIn(kFolder);
  auto locked =
      platform::CreateFile(Picture(kFolder, 2), platform::GENERIC_READ, 0, platform::OPEN_EXISTING);
  ASSERT_TRUE(locked);
  const auto outcomes = RunFileOperation(
      FileOperation::kMove, {Picture(kFolder, 1), Picture(kFolder, 2), Picture(kFolder, 3)}, kOther,
      kFolder);
  locked.Close();
  ASSERT_TRUE(outcomes);
  EXPECT_EQ(FailedCount(*outcomes), 1);
  EXPECT_FALSE((*outcomes)[1].result.ok);
  EXPECT_EQ((*outcomes)[1].result.error, platform::ERROR_SHARING_VIOLATION);
  EXPECT_FALSE(AnyPairSplit(*outcomes));
  const Pairs moved = Take(source, {"IMG_0001.jpg", "IMG_0003.jpg"});
  EXPECT_EQ(PairsIn(kOther), moved);
  EXPECT_EQ(PairsIn(kFolder), source);
}

TEST_F(FileOperationsPairsTest, ALockedNoteKeepsItsPictureBesideItOnMoveAndCopy) {
  PutPicture(kFolder, 1, true);
  const Pairs before = PairsIn(kFolder);
  for (FileOperation operation : {FileOperation::kMove, FileOperation::kCopy}) {
    auto locked = platform::CreateFile(VoiceNotePath(Picture(kFolder, 1)), platform::GENERIC_WRITE,
                                       0, platform::OPEN_EXISTING);
    ASSERT_TRUE(locked);
    const auto outcomes = RunFileOperation(operation, {Picture(kFolder, 1)}, kOther, kFolder);
    locked.Close();
    ASSERT_TRUE(outcomes);
    EXPECT_EQ(FailedCount(*outcomes), 1);
    EXPECT_FALSE(AnyPairSplit(*outcomes));
    EXPECT_EQ(PairsIn(kFolder), before);
    EXPECT_TRUE(PairsIn(kOther).empty());
  }
}

TEST_F(FileOperationsPairsTest, ALockedNoteOnDeleteIsReportedAsLeftBehind) {
  PutPicture(kFolder, 1, true);
  auto locked = platform::CreateFile(VoiceNotePath(Picture(kFolder, 1)), platform::GENERIC_READ, 0,
                                     platform::OPEN_EXISTING);
  ASSERT_TRUE(locked);
  const auto outcomes =
      RunFileOperation(FileOperation::kDelete, {Picture(kFolder, 1)}, "", kFolder);
  locked.Close();
  ASSERT_TRUE(outcomes);
  EXPECT_EQ(FailedCount(*outcomes), 1);
  EXPECT_TRUE(AnyPairSplit(*outcomes)) << "the person must hear the note stayed";
  EXPECT_TRUE(HasVoiceNote(Picture(kFolder, 1)));
}

TEST_F(FileOperationsPairsTest, CopyNeverOverwritesAndFailsOnlyForTheClashingName) {
  for (int i = 1; i <= 3; ++i) PutPicture(kFolder, i, true);
  Write(Picture(kOther, 2), "an older picture");
  const Pairs source = PairsIn(kFolder);
  const auto outcomes = RunFileOperation(
      FileOperation::kCopy, {Picture(kFolder, 1), Picture(kFolder, 2), Picture(kFolder, 3)}, kOther,
      kFolder);
  ASSERT_TRUE(outcomes);
  EXPECT_EQ(FailedCount(*outcomes), 1);
  EXPECT_FALSE((*outcomes)[1].result.ok);
  EXPECT_EQ(PairsIn(kFolder), source);
  Pairs expected = source;
  expected["IMG_0002.jpg"] = {"an older picture", ""};
  EXPECT_EQ(PairsIn(kOther), expected);
}

TEST_F(FileOperationsPairsTest, ANoteInTheWayUndoesThePicturesMove) {
  PutPicture(kFolder, 1, true);
  Write(VoiceNotePath(Picture(kOther, 1)), "someone else's note");
  const Pairs source = PairsIn(kFolder);
  const Pairs destination = PairsIn(kOther);
  const auto outcomes =
      RunFileOperation(FileOperation::kMove, {Picture(kFolder, 1)}, kOther, kFolder);
  ASSERT_TRUE(outcomes);
  EXPECT_EQ(FailedCount(*outcomes), 1);
  EXPECT_EQ((*outcomes)[0].result.error, platform::ERROR_ALREADY_EXISTS);
  EXPECT_FALSE((*outcomes)[0].result.pair_split);
  EXPECT_EQ(PairsIn(kFolder), source);
  EXPECT_EQ(PairsIn(kOther), destination);
}

TEST_F(FileOperationsPairsTest, TheListedFolderAsDestinationDoesNothing) {
  PutPicture(kFolder, 1, true);
  const Pairs before = PairsIn(kFolder);
  std::string listed = kFolder;
  for (char& c : listed) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (FileOperation operation : {FileOperation::kMove, FileOperation::kCopy}) {
    EXPECT_FALSE(RunFileOperation(operation, {Picture(kFolder, 1)}, kFolder, listed));
  }
  EXPECT_EQ(PairsIn(kFolder), before);
}

class FileOperationsCardTest : public FileOperationsPairsTest {
 protected:
  // A card with room for `pairs` pictures with notes and `spare` bytes.
  void InsertCard(std::size_t pairs, std::size_t spare) {
    ASSERT_TRUE(
        device_.handheld().files().InsertStorageCard(pairs * (kPictureBytes + kNoteBytes) + spare));
    ASSERT_TRUE(platform::CreateDirectory("\\Storage Card\\Trip"));
  }
  std::vector<std::string> Twenty() {
    std::vector<std::string> pictures;
    for (int i = 1; i <= 20; ++i) {
      PutPicture(kFolder, i, true);
      pictures.push_back(Picture(kFolder, i));
    }
    return pictures;
  }
  void ExpectTwelveCopied(const std::vector<PictureOutcome>& outcomes, const Pairs& source) {
    EXPECT_EQ(FailedCount(outcomes), 8);
    EXPECT_FALSE(AnyPairSplit(outcomes));
    for (std::size_t i = 12; i < outcomes.size(); ++i) {
      EXPECT_EQ(outcomes[i].result.error, platform::ERROR_DISK_FULL);
    }
    Pairs copied = source;
    Pairs first_twelve;
    for (int i = 1; i <= 12; ++i) {
      const std::string name = NameOf(Picture(kFolder, i));
      first_twelve[name] = copied.at(name);
    }
    EXPECT_EQ(PairsIn(kCard), first_twelve);
    EXPECT_EQ(PairsIn(kFolder), source);
  }
};

TEST_F(FileOperationsCardTest, ACopyOfTwentyOntoACardThatFillsAfterTwelveLeavesTwelvePairs) {
  const auto pictures = Twenty();
  const Pairs source = PairsIn(kFolder);
  InsertCard(12, kPictureBytes / 2);  // the thirteenth picture does not fit
  const auto outcomes = RunFileOperation(FileOperation::kCopy, pictures, kCard, kFolder);
  ASSERT_TRUE(outcomes);
  ExpectTwelveCopied(*outcomes, source);
}

TEST_F(FileOperationsCardTest, APictureWhoseNoteNoLongerFitsIsNotLeftOnTheCard) {
  const auto pictures = Twenty();
  const Pairs source = PairsIn(kFolder);
  InsertCard(12, kPictureBytes + kNoteBytes / 2);  // each later picture fits, its note not
  const auto outcomes = RunFileOperation(FileOperation::kCopy, pictures, kCard, kFolder);
  ASSERT_TRUE(outcomes);
  ExpectTwelveCopied(*outcomes, source);
}

TEST_F(FileOperationsCardTest, AMoveWhoseNoteCannotFollowPutsThePictureBack) {
  const auto pictures = Twenty();
  Pairs source = PairsIn(kFolder);
  InsertCard(12, kPictureBytes + kNoteBytes / 2);
  const auto outcomes = RunFileOperation(FileOperation::kMove, pictures, kCard, kFolder);
  ASSERT_TRUE(outcomes);
  EXPECT_EQ(FailedCount(*outcomes), 8);
  EXPECT_FALSE(AnyPairSplit(*outcomes));
  std::vector<std::string> moved;
  for (int i = 1; i <= 12; ++i) moved.push_back(NameOf(Picture(kFolder, i)));
  const Pairs on_card = Take(source, moved);
  EXPECT_EQ(PairsIn(kCard), on_card);
  EXPECT_EQ(PairsIn(kFolder), source);
}

}  // namespace
}  // namespace gallery
