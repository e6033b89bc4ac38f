// Folders, deleting, moving, copying and attributes by name, and the ROM
// folder.
#include "files_test_fixture.h"

namespace platform::testing {
namespace {

using FileNamesTest = FilesTest;

TEST_F(FileNamesTest, CreateAndRemoveFolders) {
  MakeFolder("\\My Documents");
  EXPECT_FALSE(files_->CreateDirectory("\\my documents"));
  ExpectError(ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(files_->CreateDirectory("\\"));
  ExpectError(ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(files_->CreateDirectory("\\Missing\\Folder"));
  ExpectError(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(files_->CreateDirectory("\\New:Folder"));
  ExpectError(ERROR_INVALID_NAME);
  Write("\\a.txt", "x");
  EXPECT_FALSE(files_->CreateDirectory("\\A.TXT"));
  ExpectError(ERROR_ALREADY_EXISTS);

  MakeFolder("\\My Documents\\My Pictures");
  EXPECT_EQ(files_->GetFileAttributes("\\My Documents\\My Pictures"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(files_->RemoveDirectory("\\My Documents"));
  ExpectError(ERROR_DIR_NOT_EMPTY);
  EXPECT_FALSE(files_->RemoveDirectory("\\a.txt"));
  ExpectError(ERROR_DIRECTORY);
  EXPECT_FALSE(files_->RemoveDirectory("\\Nothing"));
  ExpectError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(files_->RemoveDirectory("\\Nothing\\Deeper"));
  ExpectError(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(files_->RemoveDirectory("\\"));
  ExpectError(ERROR_ACCESS_DENIED);
  EXPECT_TRUE(files_->RemoveDirectory("\\MY DOCUMENTS\\MY PICTURES"));
  EXPECT_TRUE(files_->RemoveDirectory("\\My Documents"));
  EXPECT_EQ(files_->GetFileAttributes("\\My Documents"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileNamesTest, DeleteFiles) {
  Write("\\a.txt", "x");
  MakeFolder("\\Folder");
  EXPECT_FALSE(files_->DeleteFile("\\b.txt"));
  ExpectError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(files_->DeleteFile("\\Nowhere\\b.txt"));
  ExpectError(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(files_->DeleteFile("\\Folder"));
  ExpectError(ERROR_ACCESS_DENIED);
  {
    FileHandle open = files_->CreateFile("\\a.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_FALSE(files_->DeleteFile("\\a.txt"));
    ExpectError(ERROR_SHARING_VIOLATION);
  }
  EXPECT_TRUE(files_->DeleteFile("\\A.txt"));
  EXPECT_EQ(files_->GetFileAttributes("\\a.txt"), INVALID_FILE_ATTRIBUTES);
  ExpectError(ERROR_FILE_NOT_FOUND);
}

TEST_F(FileNamesTest, MoveFilesAndFolders) {
  MakeFolder("\\My Documents");
  Write("\\My Documents\\a.txt", "a");
  Write("\\My Documents\\b.txt", "b");

  EXPECT_FALSE(files_->MoveFile("\\My Documents\\a.txt", "\\My Documents\\B.TXT"));
  ExpectError(ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(files_->MoveFile("\\My Documents\\c.txt", "\\My Documents\\d.txt"));
  ExpectError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(files_->MoveFile("\\My Documents\\a.txt", "\\Missing\\a.txt"));
  ExpectError(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(files_->MoveFile("\\My Documents\\a.txt", "\\My Documents\\a?.txt"));
  ExpectError(ERROR_INVALID_NAME);

  EXPECT_TRUE(files_->MoveFile("\\my documents\\A.TXT", "\\My Documents\\renamed.txt"));
  EXPECT_EQ(Read("\\My Documents\\renamed.txt"), "a");
  EXPECT_EQ(files_->GetFileAttributes("\\My Documents\\a.txt"), INVALID_FILE_ATTRIBUTES);

  // A change of case only.
  EXPECT_TRUE(files_->MoveFile("\\My Documents\\renamed.txt", "\\My Documents\\Renamed.TXT"));
  EXPECT_TRUE(std::filesystem::exists(root_ / "files/My Documents/Renamed.TXT"));
  EXPECT_FALSE(std::filesystem::exists(root_ / "files/My Documents/renamed.txt"));

  {
    FileHandle open =
        files_->CreateFile("\\My Documents\\b.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_FALSE(files_->MoveFile("\\My Documents\\b.txt", "\\b.txt"));
    ExpectError(ERROR_SHARING_VIOLATION);
    // Nor can the folder move with a file open inside it.
    EXPECT_FALSE(files_->MoveFile("\\My Documents", "\\Documents"));
    ExpectError(ERROR_ACCESS_DENIED);
  }

  MakeFolder("\\My Documents\\Inner");
  EXPECT_FALSE(files_->MoveFile("\\My Documents", "\\My Documents\\Inner\\Loop"));
  ExpectError(ERROR_ACCESS_DENIED);
  EXPECT_TRUE(files_->MoveFile("\\My Documents", "\\Documents"));
  EXPECT_EQ(Read("\\Documents\\b.txt"), "b");
  EXPECT_EQ(files_->GetFileAttributes("\\Documents\\Inner"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(files_->MoveFile("\\", "\\Root"));
  ExpectError(ERROR_ACCESS_DENIED);
}

TEST_F(FileNamesTest, MovedFilesKeepCreationTimeAndAttributes) {
  MakeFolder("\\Folder");
  const FILETIME created = now_;
  Write("\\Folder\\a.txt", "a");
  ASSERT_TRUE(files_->SetFileAttributes("\\Folder\\a.txt", FILE_ATTRIBUTE_READONLY));
  AdvanceClock(100);
  // Read-only files may still be renamed, and folders carry what is inside.
  ASSERT_TRUE(files_->MoveFile("\\Folder\\a.txt", "\\Folder\\b.txt"));
  ASSERT_TRUE(files_->MoveFile("\\Folder", "\\Moved"));
  EXPECT_EQ(files_->GetFileAttributes("\\Moved\\b.txt"), FILE_ATTRIBUTE_READONLY);
  FileHandle file = files_->CreateFile("\\Moved\\b.txt", GENERIC_READ, 0, OPEN_EXISTING);
  FILETIME creation;
  ASSERT_TRUE(files_->GetFileTime(file, &creation, nullptr, nullptr));
  EXPECT_EQ(creation, created);
}

TEST_F(FileNamesTest, CopyWithAndWithoutOverwrite) {
  Write("\\a.txt", "original");
  ASSERT_TRUE(files_->SetFileAttributes("\\a.txt", FILE_ATTRIBUTE_HIDDEN));
  const FILETIME written = now_;
  AdvanceClock(60);

  EXPECT_TRUE(files_->CopyFile("\\a.txt", "\\b.txt", TRUE));
  EXPECT_EQ(Read("\\b.txt"), "original");
  EXPECT_EQ(files_->GetFileAttributes("\\b.txt"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  {
    FileHandle copy = files_->CreateFile("\\b.txt", GENERIC_READ, 0, OPEN_EXISTING);
    FILETIME creation, last_write;
    ASSERT_TRUE(files_->GetFileTime(copy, &creation, nullptr, &last_write));
    EXPECT_EQ(last_write, written);  // kept from the source
    EXPECT_EQ(creation, now_);       // a new file
  }

  Write("\\c.txt", "other");
  EXPECT_FALSE(files_->CopyFile("\\a.txt", "\\C.TXT", TRUE));
  ExpectError(ERROR_FILE_EXISTS);
  EXPECT_EQ(Read("\\c.txt"), "other");
  EXPECT_TRUE(files_->CopyFile("\\a.txt", "\\c.txt", FALSE));
  EXPECT_EQ(Read("\\c.txt"), "original");

  EXPECT_FALSE(files_->CopyFile("\\missing.txt", "\\d.txt", FALSE));
  ExpectError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(files_->CopyFile("\\a.txt", "\\Missing\\d.txt", FALSE));
  ExpectError(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(files_->CopyFile("\\a.txt", "\\a.txt", FALSE));
  ExpectError(ERROR_SHARING_VIOLATION);

  ASSERT_TRUE(files_->SetFileAttributes("\\c.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(files_->CopyFile("\\b.txt", "\\c.txt", FALSE));
  ExpectError(ERROR_ACCESS_DENIED);

  FileHandle writer = files_->CreateFile("\\b.txt", GENERIC_WRITE, 0, OPEN_EXISTING);
  EXPECT_FALSE(files_->CopyFile("\\b.txt", "\\e.txt", FALSE));
  ExpectError(ERROR_SHARING_VIOLATION);
}

TEST_F(FileNamesTest, AttributesOfFilesAndFolders) {
  EXPECT_EQ(files_->GetFileAttributes("\\missing.txt"), INVALID_FILE_ATTRIBUTES);
  ExpectError(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(files_->GetFileAttributes("\\Missing\\a.txt"), INVALID_FILE_ATTRIBUTES);
  ExpectError(ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(files_->GetFileAttributes("\\"), FILE_ATTRIBUTE_DIRECTORY);

  Write("\\a.txt", "x");
  EXPECT_EQ(files_->GetFileAttributes("\\a.txt"), FILE_ATTRIBUTE_ARCHIVE);
  ASSERT_TRUE(files_->SetFileAttributes(
      "\\a.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(files_->GetFileAttributes("\\a.txt"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(files_->SetFileAttributes("\\a.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(files_->GetFileAttributes("\\a.txt"), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(files_->SetFileAttributes("\\b.txt", FILE_ATTRIBUTE_READONLY));
  ExpectError(ERROR_FILE_NOT_FOUND);

  // Attributes last into the next run of the handheld.
  ASSERT_TRUE(files_->SetFileAttributes("\\a.txt", FILE_ATTRIBUTE_HIDDEN));
  Start();
  EXPECT_EQ(files_->GetFileAttributes("\\a.txt"), FILE_ATTRIBUTE_HIDDEN);

  // A file replaced behind the handheld's back does not inherit them.
  WriteHostFile("files/replacement", "new");
  std::filesystem::rename(root_ / "files/replacement", root_ / "files/a.txt");
  EXPECT_EQ(files_->GetFileAttributes("\\a.txt"), FILE_ATTRIBUTE_ARCHIVE);

  MakeFolder("\\Folder");
  ASSERT_TRUE(files_->SetFileAttributes("\\Folder", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files_->GetFileAttributes("\\Folder"),
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files_->RemoveDirectory("\\Folder"));
  ExpectError(ERROR_ACCESS_DENIED);
}

TEST_F(FileNamesTest, TheWindowsFolderIsRom) {
  const std::byte module[] = {std::byte{'M'}, std::byte{'Z'}};
  ASSERT_TRUE(files_->InstallFile("\\Windows\\orsadrv.dll", module));
  EXPECT_EQ(files_->GetFileAttributes("\\windows\\ORSADRV.DLL"),
            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_INROM);
  EXPECT_EQ(files_->GetFileAttributes("\\Windows"),
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_INROM);
  EXPECT_EQ(Read("\\Windows\\orsadrv.dll"), "MZ");

  const auto denied = [&](BOOL result) {
    EXPECT_FALSE(result);
    ExpectError(ERROR_ACCESS_DENIED);
  };
  denied(static_cast<bool>(
      files_->CreateFile("\\Windows\\orsadrv.dll", GENERIC_WRITE, 0, OPEN_EXISTING)));
  denied(static_cast<bool>(files_->CreateFile("\\Windows\\new.dll", GENERIC_WRITE, 0, CREATE_NEW)));
  denied(files_->DeleteFile("\\Windows\\orsadrv.dll"));
  denied(files_->MoveFile("\\Windows\\orsadrv.dll", "\\orsadrv.dll"));
  denied(files_->SetFileAttributes("\\Windows\\orsadrv.dll", FILE_ATTRIBUTE_NORMAL));
  denied(files_->CreateDirectory("\\Windows\\Sub"));
  denied(files_->RemoveDirectory("\\Windows"));
  Write("\\a.dll", "x");
  denied(files_->MoveFile("\\a.dll", "\\Windows\\a.dll"));
  denied(files_->CopyFile("\\a.dll", "\\Windows\\a.dll", FALSE));
  // Copying out of ROM is fine, and the copy is not in ROM.
  EXPECT_TRUE(files_->CopyFile("\\Windows\\orsadrv.dll", "\\copy.dll", TRUE));
  EXPECT_EQ(files_->GetFileAttributes("\\copy.dll"), FILE_ATTRIBUTE_ARCHIVE);

  // The installer may remove a program: "file missing".
  {
    InstallerAccess installer;
    EXPECT_TRUE(files_->DeleteFile("\\Windows\\orsadrv.dll"));
  }
  EXPECT_EQ(files_->GetFileAttributes("\\Windows\\orsadrv.dll"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace platform::testing
