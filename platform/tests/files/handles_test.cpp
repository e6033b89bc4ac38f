// Opening files: dispositions, share modes, access, reading, writing,
// positioning and times through handles.
#include <string>

#include "files_test_fixture.h"

namespace platform::testing {
namespace {

using FileHandlesTest = FilesTest;

TEST_F(FileHandlesTest, DispositionsFollowThePlatform) {
  MakeFolder("\\My Documents");
  const std::string path = "\\My Documents\\a.txt";

  EXPECT_FALSE(files_->CreateFile(path, GENERIC_READ, 0, OPEN_EXISTING));
  ExpectError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(files_->CreateFile(path, GENERIC_WRITE, 0, TRUNCATE_EXISTING));
  ExpectError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(files_->CreateFile("\\Missing\\a.txt", GENERIC_WRITE, 0, CREATE_ALWAYS));
  ExpectError(ERROR_PATH_NOT_FOUND);

  EXPECT_TRUE(files_->CreateFile(path, GENERIC_WRITE, 0, OPEN_ALWAYS));
  ExpectError(ERROR_SUCCESS);
  EXPECT_TRUE(files_->CreateFile(path, GENERIC_WRITE, 0, OPEN_ALWAYS));
  ExpectError(ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(files_->CreateFile(path, GENERIC_WRITE, 0, CREATE_NEW));
  ExpectError(ERROR_FILE_EXISTS);

  Write(path, "contents");
  EXPECT_TRUE(files_->CreateFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS));
  ExpectError(ERROR_ALREADY_EXISTS);
  EXPECT_EQ(Read(path), "");

  Write(path, "contents");
  EXPECT_TRUE(files_->CreateFile(path, GENERIC_WRITE, 0, TRUNCATE_EXISTING));
  EXPECT_EQ(Read(path), "");

  EXPECT_TRUE(files_->CreateFile("\\My Documents\\b.txt", GENERIC_WRITE, 0, CREATE_NEW));
  ExpectError(ERROR_SUCCESS);
}

TEST_F(FileHandlesTest, BadArgumentsAndFoldersAreRefused) {
  Write("\\a.txt", "x");
  EXPECT_FALSE(files_->CreateFile("\\a.txt", GENERIC_READ, 0, TRUNCATE_EXISTING));
  ExpectError(ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(files_->CreateFile("\\a.txt", GENERIC_READ, 0, 0));
  ExpectError(ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(files_->CreateFile("\\a.txt", GENERIC_READ, 0, 6));
  ExpectError(ERROR_INVALID_PARAMETER);

  MakeFolder("\\Folder");
  EXPECT_FALSE(files_->CreateFile("\\Folder", GENERIC_READ, 0, OPEN_EXISTING));
  ExpectError(ERROR_ACCESS_DENIED);
  EXPECT_FALSE(files_->CreateFile("\\", GENERIC_READ, 0, OPEN_EXISTING));
  ExpectError(ERROR_ACCESS_DENIED);
  // A file where a folder is expected.
  EXPECT_FALSE(files_->CreateFile("\\a.txt\\b.txt", GENERIC_WRITE, 0, CREATE_ALWAYS));
  ExpectError(ERROR_PATH_NOT_FOUND);

  EXPECT_FALSE(files_->CreateFile("\\a|b.txt", GENERIC_WRITE, 0, CREATE_ALWAYS));
  ExpectError(ERROR_INVALID_NAME);
  EXPECT_FALSE(files_->CreateFile("a.txt", GENERIC_WRITE, 0, CREATE_ALWAYS));
  ExpectError(ERROR_BAD_PATHNAME);
  EXPECT_FALSE(files_->CreateFile("", GENERIC_WRITE, 0, CREATE_ALWAYS));
  ExpectError(ERROR_BAD_PATHNAME);
  EXPECT_FALSE(
      files_->CreateFile("\\" + std::string(MAX_PATH, 'a'), GENERIC_WRITE, 0, CREATE_ALWAYS));
  ExpectError(ERROR_FILENAME_EXCED_RANGE);
}

TEST_F(FileHandlesTest, ShareModesBetweenOpenHandles) {
  Write("\\a.txt", "x");
  {
    FileHandle reader = files_->CreateFile("\\a.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(files_->CreateFile("\\A.TXT", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    // A writer is refused: the reader does not share writing...
    EXPECT_FALSE(files_->CreateFile("\\a.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    OPEN_EXISTING));
    ExpectError(ERROR_SHARING_VIOLATION);
    // ...and a reader that does not share reading is refused too.
    EXPECT_FALSE(files_->CreateFile("\\a.txt", GENERIC_READ, 0, OPEN_EXISTING));
    ExpectError(ERROR_SHARING_VIOLATION);
  }
  {
    FileHandle writer = files_->CreateFile("\\a.txt", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    ASSERT_TRUE(writer);
    EXPECT_TRUE(files_->CreateFile("\\a.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   OPEN_EXISTING));
    EXPECT_FALSE(files_->CreateFile("\\a.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    ExpectError(ERROR_SHARING_VIOLATION);
  }
  FileHandle exclusive = files_->CreateFile("\\a.txt", GENERIC_READ, 0, OPEN_EXISTING);
  ASSERT_TRUE(exclusive);
  EXPECT_FALSE(files_->CreateFile("\\a.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
  ExpectError(ERROR_SHARING_VIOLATION);
  // A handle without data access shares with everything.
  EXPECT_TRUE(files_->CreateFile("\\a.txt", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
  EXPECT_TRUE(files_->CloseFile(exclusive));
  EXPECT_FALSE(exclusive);
  EXPECT_TRUE(files_->CreateFile("\\a.txt", GENERIC_READ, 0, OPEN_EXISTING));
}

TEST_F(FileHandlesTest, ReadWriteAndPositionLikeTheHandheld) {
  FileHandle file = files_->CreateFile("\\a.bin", GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
  ASSERT_TRUE(file);
  DWORD count = 0;
  ASSERT_TRUE(files_->WriteFile(file, "hello world", 11, &count));
  EXPECT_EQ(count, 11u);

  char buffer[16] = {};
  EXPECT_EQ(files_->SetFilePointer(file, 6, nullptr, FILE_BEGIN), 6u);
  ASSERT_TRUE(files_->ReadFile(file, buffer, sizeof buffer, &count));
  EXPECT_EQ(std::string(buffer, count), "world");
  // At the end a read succeeds with nothing.
  ASSERT_TRUE(files_->ReadFile(file, buffer, sizeof buffer, &count));
  EXPECT_EQ(count, 0u);

  EXPECT_EQ(files_->SetFilePointer(file, -5, nullptr, FILE_END), 6u);
  EXPECT_EQ(files_->SetFilePointer(file, -1, nullptr, FILE_CURRENT), 5u);
  EXPECT_EQ(files_->SetFilePointer(file, -6, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  ExpectError(ERROR_INVALID_PARAMETER);
  EXPECT_EQ(files_->SetFilePointer(file, 0, nullptr, 3), INVALID_SET_FILE_POINTER);
  ExpectError(ERROR_INVALID_PARAMETER);
  EXPECT_EQ(files_->SetFilePointer(file, 0, nullptr, FILE_CURRENT), 5u);  // unchanged

  // Truncate at the position, then grow with a gap that reads as zeros.
  ASSERT_TRUE(files_->SetEndOfFile(file));
  EXPECT_EQ(files_->GetFileSize(file, nullptr), 5u);
  EXPECT_EQ(files_->SetFilePointer(file, 8, nullptr, FILE_BEGIN), 8u);
  ASSERT_TRUE(files_->WriteFile(file, "!", 1, &count));
  ASSERT_EQ(files_->SetFilePointer(file, 0, nullptr, FILE_BEGIN), 0u);
  ASSERT_TRUE(files_->ReadFile(file, buffer, sizeof buffer, &count));
  EXPECT_EQ(std::string(buffer, count), std::string("hello\0\0\0!", 9));

  // 64-bit positions.
  LONG high = 1;
  EXPECT_EQ(files_->SetFilePointer(file, 16, &high, FILE_BEGIN), 16u);
  EXPECT_EQ(high, 1);
  high = 0;
  EXPECT_EQ(files_->SetFilePointer(file, 0, &high, FILE_CURRENT), 16u);
  EXPECT_EQ(high, 1);
  DWORD size_high = 7;
  EXPECT_EQ(files_->GetFileSize(file, &size_high), 9u);
  EXPECT_EQ(size_high, 0u);
}

TEST_F(FileHandlesTest, HandlesOnlyDoWhatTheirAccessAllows) {
  Write("\\a.txt", "abc");
  char buffer[4];
  DWORD count = 99;
  FileHandle reader = files_->CreateFile("\\a.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  EXPECT_FALSE(files_->WriteFile(reader, "x", 1, &count));
  ExpectError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(files_->SetEndOfFile(reader));
  ExpectError(ERROR_ACCESS_DENIED);
  reader.Close();

  FileHandle writer = files_->CreateFile("\\a.txt", GENERIC_WRITE, 0, OPEN_EXISTING);
  EXPECT_FALSE(files_->ReadFile(writer, buffer, sizeof buffer, &count));
  ExpectError(ERROR_ACCESS_DENIED);

  FileHandle closed;
  EXPECT_FALSE(files_->ReadFile(closed, buffer, sizeof buffer, &count));
  ExpectError(ERROR_INVALID_HANDLE);
  EXPECT_FALSE(files_->CloseFile(closed));
  ExpectError(ERROR_INVALID_HANDLE);
  EXPECT_EQ(files_->GetFileSize(closed, nullptr), INVALID_FILE_SIZE);
  ExpectError(ERROR_INVALID_HANDLE);
}

TEST_F(FileHandlesTest, ReadOnlyFilesRefuseWritesAndDeletion) {
  Write("\\a.txt", "keep");
  ASSERT_TRUE(files_->SetFileAttributes("\\a.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(files_->CreateFile("\\a.txt", GENERIC_WRITE, 0, OPEN_EXISTING));
  ExpectError(ERROR_ACCESS_DENIED);
  EXPECT_FALSE(files_->CreateFile("\\a.txt", GENERIC_READ, 0, CREATE_ALWAYS));
  ExpectError(ERROR_ACCESS_DENIED);
  EXPECT_FALSE(files_->DeleteFile("\\a.txt"));
  ExpectError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(Read("\\a.txt"), "keep");

  ASSERT_TRUE(files_->SetFileAttributes("\\a.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(files_->DeleteFile("\\a.txt"));
}

TEST_F(FileHandlesTest, TimesComeFromTheHandheldClock) {
  const FILETIME created = now_;
  Write("\\a.txt", "first");
  AdvanceClock(3600);
  const FILETIME written = now_;
  {
    FileHandle file = files_->CreateFile("\\a.txt", GENERIC_WRITE, 0, OPEN_EXISTING);
    DWORD count;
    ASSERT_TRUE(files_->WriteFile(file, "again", 5, &count));
  }
  AdvanceClock(60);
  FileHandle file = files_->CreateFile("\\a.txt", GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
  FILETIME creation, access, last_write;
  ASSERT_TRUE(files_->GetFileTime(file, &creation, &access, &last_write));
  EXPECT_EQ(creation, created);
  EXPECT_EQ(last_write, written);

  const FILETIME c = FILETIME::FromTicks(kJune2003 - 100 * kTicksPerSecond);
  const FILETIME a = FILETIME::FromTicks(kJune2003 - 50 * kTicksPerSecond);
  const FILETIME w = FILETIME::FromTicks(kJune2003 - 10 * kTicksPerSecond);
  ASSERT_TRUE(files_->SetFileTime(file, &c, &a, &w));
  ASSERT_TRUE(files_->GetFileTime(file, &creation, &access, &last_write));
  EXPECT_EQ(creation, c);
  EXPECT_EQ(access, a);
  EXPECT_EQ(last_write, w);
  file.Close();

  // The creation time is kept for the next run of the handheld.
  Start();
  file = files_->CreateFile("\\a.txt", GENERIC_READ, 0, OPEN_EXISTING);
  ASSERT_TRUE(files_->GetFileTime(file, &creation, nullptr, &last_write));
  EXPECT_EQ(creation, c);
  EXPECT_EQ(last_write, w);
}

TEST_F(FileHandlesTest, NamesResolveWithoutCaseAndNewNamesKeepTheirs) {
  ASSERT_TRUE(files_->InstallFile("\\Windows\\orsacap.exe", {}));
  FileHandle program =
      files_->CreateFile("\\windows\\ORSACAP.EXE", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  EXPECT_TRUE(program);
  EXPECT_EQ(files_->HostPath("\\WINDOWS\\OrsaCap.exe"), root_ / "files/Windows/orsacap.exe");

  MakeFolder("\\My Documents");
  Write("\\MY DOCUMENTS\\Snap0001.JPG", "x");
  EXPECT_TRUE(std::filesystem::exists(root_ / "files/My Documents/Snap0001.JPG"));
  // Writing under another spelling reaches the same file.
  Write("\\my documents\\snap0001.jpg", "yz");
  EXPECT_EQ(Read("\\My Documents\\Snap0001.JPG"), "yz");
  EXPECT_FALSE(std::filesystem::exists(root_ / "files/my documents"));
}

TEST_F(FileHandlesTest, HandlesOutlivingTheirFileSystemBecomeInvalid) {
  HandheldConfig config;
  config.root = root_ / "other";
  auto other = std::make_unique<FileSystem>(config, notifier_);
  FileHandle file = other->CreateFile("\\a.txt", GENERIC_WRITE, 0, CREATE_ALWAYS);
  ASSERT_TRUE(file);
  other.reset();
  DWORD count;
  EXPECT_FALSE(files_->WriteFile(file, "x", 1, &count));
  ExpectError(ERROR_INVALID_HANDLE);
}

}  // namespace
}  // namespace platform::testing
