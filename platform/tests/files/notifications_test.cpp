// The change notifications the file layer raises.
#include "files_test_fixture.h"

namespace platform::testing {
namespace {

using Events = std::vector<ChangeEvent>;

class FileNotificationsTest : public FilesTest {
 protected:
  FileNotificationsTest() {
    MakeFolder("\\My Documents");
    log_.Take();
  }
  EventLog log_{notifier_};
};

TEST_F(FileNotificationsTest, FilesCreatedUpdatedAndDeleted) {
  FileHandle file =
      files_->CreateFile("\\my documents\\Snap0001.jpg", GENERIC_WRITE, 0, CREATE_NEW);
  EXPECT_EQ(log_.Take(), (Events{{SHCNE_CREATE, "\\My Documents\\Snap0001.jpg", ""}}));
  DWORD written;
  ASSERT_TRUE(files_->WriteFile(file, "jpeg", 4, &written));
  EXPECT_EQ(log_.Take(), Events{});  // reported once, when closed
  file.Close();
  EXPECT_EQ(log_.Take(), (Events{{SHCNE_UPDATEITEM, "\\My Documents\\Snap0001.jpg", ""}}));

  // Opening and closing without a change says nothing.
  files_->CreateFile("\\My Documents\\Snap0001.jpg", GENERIC_READ | GENERIC_WRITE, 0,
                     OPEN_EXISTING);
  EXPECT_EQ(log_.Take(), Events{});
  // Truncating is a change.
  files_->CreateFile("\\My Documents\\Snap0001.jpg", GENERIC_WRITE, 0, CREATE_ALWAYS);
  EXPECT_EQ(log_.Take(), (Events{{SHCNE_UPDATEITEM, "\\My Documents\\Snap0001.jpg", ""}}));

  ASSERT_TRUE(files_->SetFileAttributes("\\My Documents\\snap0001.jpg", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(log_.Take(), (Events{{SHCNE_ATTRIBUTES, "\\My Documents\\Snap0001.jpg", ""}}));

  ASSERT_TRUE(files_->CopyFile("\\My Documents\\Snap0001.jpg", "\\My Documents\\copy.jpg", TRUE));
  ASSERT_TRUE(files_->CopyFile("\\My Documents\\Snap0001.jpg", "\\My Documents\\copy.jpg", FALSE));
  EXPECT_EQ(log_.Take(), (Events{{SHCNE_CREATE, "\\My Documents\\copy.jpg", ""},
                                 {SHCNE_UPDATEITEM, "\\My Documents\\copy.jpg", ""}}));

  ASSERT_TRUE(files_->MoveFile("\\My Documents\\copy.jpg", "\\My Documents\\moved.jpg"));
  ASSERT_TRUE(files_->DeleteFile("\\My Documents\\MOVED.JPG"));
  EXPECT_EQ(log_.Take(),
            (Events{{SHCNE_RENAMEITEM, "\\My Documents\\moved.jpg", "\\My Documents\\copy.jpg"},
                    {SHCNE_DELETE, "\\My Documents\\moved.jpg", ""}}));
}

TEST_F(FileNotificationsTest, FoldersCreatedRenamedAndRemoved) {
  MakeFolder("\\My Documents\\Trip");
  ASSERT_TRUE(files_->MoveFile("\\My Documents\\trip", "\\My Documents\\Holiday"));
  ASSERT_TRUE(files_->RemoveDirectory("\\My Documents\\Holiday"));
  EXPECT_EQ(log_.Take(),
            (Events{{SHCNE_MKDIR, "\\My Documents\\Trip", ""},
                    {SHCNE_RENAMEFOLDER, "\\My Documents\\Holiday", "\\My Documents\\Trip"},
                    {SHCNE_RMDIR, "\\My Documents\\Holiday", ""}}));
}

TEST_F(FileNotificationsTest, FailedCallsSayNothing) {
  Write("\\My Documents\\a.txt", "x");
  log_.Take();
  EXPECT_FALSE(files_->CreateFile("\\My Documents\\a.txt", GENERIC_WRITE, 0, CREATE_NEW));
  EXPECT_FALSE(files_->CreateDirectory("\\My Documents"));
  EXPECT_FALSE(files_->DeleteFile("\\My Documents\\b.txt"));
  EXPECT_FALSE(files_->MoveFile("\\My Documents\\b.txt", "\\c.txt"));
  EXPECT_FALSE(files_->RemoveDirectory("\\My Documents"));
  EXPECT_EQ(log_.Take(), Events{});
}

TEST_F(FileNotificationsTest, ReceiversMayCallTheFileSystem) {
  std::vector<DWORD> attributes;
  auto registration = notifier_.Register(
      [&](const ChangeEvent& event) {
        attributes.push_back(files_->GetFileAttributes(event.path));
        Write(event.path + ".bak", "backup");
      },
      SHCNE_MKDIR);
  MakeFolder("\\My Documents\\New");
  EXPECT_EQ(attributes, std::vector<DWORD>{FILE_ATTRIBUTE_DIRECTORY});
  EXPECT_EQ(Read("\\My Documents\\New.bak"), "backup");
}

}  // namespace
}  // namespace platform::testing
