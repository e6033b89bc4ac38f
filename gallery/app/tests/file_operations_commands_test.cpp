// Delete, Move and Copy through the browser's commands: the confirmation,
// the work on the current file and the failure message.
#include <gtest/gtest.h>

#include "gallery/file_types/voice_note.h"
#include "gallery/resources/commands.h"
#include "gallery_fixture.h"

namespace gallery {
namespace {

using testing::kPicture;

class FileOperationsCommandsTest : public testing::GalleryFixture {
 protected:
  void Command(platform::UINT id, int answer) {
    handheld().message_boxes().QueueAnswer(answer);
    platform::PostMessage(Browser(), platform::WM_COMMAND, id, 0);
    Settle();
  }
  static bool Exists(const std::string& path) {
    return platform::GetFileAttributes(path) != platform::INVALID_FILE_ATTRIBUTES;
  }
};

TEST_F(FileOperationsCommandsTest, DeleteAsksWithTheNameAndTakesThePictureAndItsNote) {
  Put(VoiceNotePath(kPicture), "note");
  Start(kPicture);
  Command(kCommandDelete, platform::IDNO);
  EXPECT_TRUE(Exists(kPicture));
  EXPECT_TRUE(Exists(VoiceNotePath(kPicture)));
  Command(kButtonDelete, platform::IDYES);
  EXPECT_FALSE(Exists(kPicture));
  EXPECT_FALSE(Exists(VoiceNotePath(kPicture)));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const auto& box : boxes) {
    EXPECT_EQ(box.request.text, "snap0001.jpg");
    EXPECT_EQ(box.request.caption, "Delete");
    EXPECT_EQ(box.request.type, platform::MB_YESNO | platform::MB_ICONEXCLAMATION);
  }
}

TEST_F(FileOperationsCommandsTest, ALockedPictureIsReportedAndKept) {
  Put(VoiceNotePath(kPicture), "note");
  Start(kPicture);
  const auto locked =
      platform::CreateFile(kPicture, platform::GENERIC_READ, 0, platform::OPEN_EXISTING);
  ASSERT_TRUE(locked);
  Command(kCommandDelete, platform::IDYES);
  EXPECT_TRUE(Exists(kPicture));
  EXPECT_TRUE(Exists(VoiceNotePath(kPicture)));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].request.text, "1 file(s) could not be deleted.");
  EXPECT_EQ(boxes[1].request.caption, "Error");
  EXPECT_EQ(boxes[1].request.icon(), platform::MB_ICONEXCLAMATION);
}

TEST_F(FileOperationsCommandsTest, AMarkedDeleteKeepsTheLockedPictureMarkedForAnotherTry) {
  const std::string folder = std::string(testing::kPictures) + "\\";
  for (const char* name : {"snap0002.jpg", "snap0003.jpg"}) Put(folder + name, "picture");
  Put(VoiceNotePath(folder + "snap0002.jpg"), "note");
  Start(kPicture);
  platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandMarkAll, 0);
  Settle();
  auto locked = platform::CreateFile(folder + "snap0003.jpg", platform::GENERIC_READ, 0,
                                     platform::OPEN_EXISTING);
  ASSERT_TRUE(locked);
  Command(kCommandDelete, platform::IDYES);
  locked.Close();
  platform::Sleep(1000);  // the list follows the shell's notifications
  EXPECT_FALSE(Exists(kPicture));
  EXPECT_FALSE(Exists(folder + "snap0002.jpg"));
  EXPECT_FALSE(Exists(VoiceNotePath(folder + "snap0002.jpg")));
  EXPECT_TRUE(Exists(folder + "snap0003.jpg"));
  // Only the one that failed is still marked.
  Command(kCommandDelete, platform::IDNO);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].request.text, "3 files are marked. Go on?");
  EXPECT_EQ(boxes[0].request.caption, "Delete");
  EXPECT_EQ(boxes[1].request.text, "1 file(s) could not be deleted.");
  EXPECT_EQ(boxes[2].request.text, "1 files are marked. Go on?");
}

TEST_F(FileOperationsCommandsTest, NothingHappensWithoutACurrentFile) {
  Remove(kPicture);
  Start("");
  Command(kCommandDelete, platform::IDYES);
  Command(kCommandRenameItem, platform::IDYES);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_FALSE(platform::FindWindow("Dialog", std::string_view("Rename")));
}

}  // namespace
}  // namespace gallery
