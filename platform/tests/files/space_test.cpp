// Free space and the simulated volume size: a full disk.
#include <thread>
#include <vector>

#include "files_test_fixture.h"

namespace platform::testing {
namespace {

class FileSpaceTest : public FilesTest {
 protected:
  FileSpaceTest() { Start(kVolume); }
  static constexpr std::uint64_t kVolume = 1000;

  std::uint64_t FreeBytes(std::string_view path = "\\") {
    std::uint64_t free_to_caller = 0, total = 0, total_free = 0;
    EXPECT_TRUE(files_->GetDiskFreeSpaceEx(path, &free_to_caller, &total, &total_free));
    EXPECT_EQ(free_to_caller, total_free);
    return free_to_caller;
  }
};

TEST_F(FileSpaceTest, FreeSpaceIsTheVolumeSizeLessTheFiles) {
  std::uint64_t total = 0;
  ASSERT_TRUE(files_->GetDiskFreeSpaceEx("", nullptr, &total, nullptr));
  EXPECT_EQ(total, kVolume);
  EXPECT_EQ(FreeBytes(), kVolume);
  MakeFolder("\\My Documents");
  Write("\\My Documents\\a.bin", std::string(300, 'a'));
  Write("\\b.bin", std::string(200, 'b'));
  EXPECT_EQ(FreeBytes("\\My Documents"), 500u);
  EXPECT_EQ(FreeBytes("\\my documents\\A.BIN"), 500u);
  ASSERT_TRUE(files_->DeleteFile("\\b.bin"));
  EXPECT_EQ(FreeBytes(), 700u);
  ASSERT_TRUE(files_->CreateFile("\\My Documents\\a.bin", GENERIC_WRITE, 0, TRUNCATE_EXISTING));
  EXPECT_EQ(FreeBytes(), kVolume);

  EXPECT_FALSE(files_->GetDiskFreeSpaceEx("\\Missing", nullptr, nullptr, nullptr));
  ExpectError(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(files_->GetDiskFreeSpaceEx("relative", nullptr, nullptr, nullptr));
  ExpectError(ERROR_BAD_PATHNAME);
}

TEST_F(FileSpaceTest, FilesAlreadyOnTheHostCount) {
  WriteHostFile("files/My Documents/old.jpg", std::string(400, 'x'));
  Start(kVolume);
  EXPECT_EQ(FreeBytes(), 600u);
}

TEST_F(FileSpaceTest, AWritePastTheSizeStoresWhatFitsAndFailsWithDiskFull) {
  FileHandle file = files_->CreateFile("\\clip.avi", GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW);
  ASSERT_TRUE(file);
  const std::string first(600, '1');
  const std::string second(600, '2');
  DWORD written = 0;
  ASSERT_TRUE(files_->WriteFile(file, first.data(), 600, &written));
  EXPECT_FALSE(files_->WriteFile(file, second.data(), 600, &written));
  ExpectError(ERROR_DISK_FULL);
  EXPECT_EQ(written, 400u);
  EXPECT_FALSE(files_->WriteFile(file, second.data(), 1, &written));
  ExpectError(ERROR_DISK_FULL);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(FreeBytes(), 0u);

  // Overwriting inside the file needs no room: a header can still be fixed.
  ASSERT_EQ(files_->SetFilePointer(file, 0, nullptr, FILE_BEGIN), 0u);
  ASSERT_TRUE(files_->WriteFile(file, "RIFF", 4, &written));
  // Growing by moving the end is refused as well.
  ASSERT_EQ(files_->SetFilePointer(file, 10, nullptr, FILE_END), 1010u);
  EXPECT_FALSE(files_->SetEndOfFile(file));
  ExpectError(ERROR_DISK_FULL);
  file.Close();

  EXPECT_EQ(Read("\\clip.avi"), "RIFF" + first.substr(4) + second.substr(0, 400));
}

TEST_F(FileSpaceTest, TheSizeCanChangeWhileRunning) {
  Write("\\a.bin", std::string(100, 'a'));
  // Full now: the next byte fails, whatever was free before.
  ASSERT_TRUE(files_->SetVolumeSize("\\", *files_->VolumeUsedBytes("\\")));
  FileHandle file = files_->CreateFile("\\b.bin", GENERIC_WRITE, 0, CREATE_NEW);
  ASSERT_TRUE(file);  // an empty file takes no room
  DWORD written;
  EXPECT_FALSE(files_->WriteFile(file, "x", 1, &written));
  ExpectError(ERROR_DISK_FULL);
  ASSERT_TRUE(files_->SetVolumeSize("\\", 0));  // only the host's space again
  EXPECT_TRUE(files_->WriteFile(file, "x", 1, &written));
}

TEST_F(FileSpaceTest, ACopyThatDoesNotFitLeavesNothingBehind) {
  Write("\\a.bin", std::string(600, 'a'));
  EXPECT_FALSE(files_->CopyFile("\\a.bin", "\\b.bin", TRUE));
  ExpectError(ERROR_DISK_FULL);
  EXPECT_EQ(files_->GetFileAttributes("\\b.bin"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(FreeBytes(), 400u);
  // Replacing a file needs room only for the difference.
  Write("\\c.bin", std::string(390, 'c'));
  EXPECT_TRUE(files_->CopyFile("\\c.bin", "\\a.bin", FALSE));
  EXPECT_EQ(FreeBytes(), 220u);
}

TEST_F(FileSpaceTest, WritersOnManyThreadsNeverPassTheSize) {
  constexpr int kThreads = 4;
  std::vector<std::thread> writers;
  for (int i = 0; i < kThreads; ++i) {
    writers.emplace_back([this, i] {
      FileHandle file = files_->CreateFile("\\t" + std::to_string(i), GENERIC_WRITE, 0, CREATE_NEW);
      const std::string chunk(7, 'x');
      DWORD written;
      while (files_->WriteFile(file, chunk.data(), 7, &written)) {
      }
    });
  }
  for (auto& writer : writers) writer.join();
  EXPECT_EQ(*files_->VolumeUsedBytes("\\"), kVolume);
  std::uint64_t on_host = 0;
  for (int i = 0; i < kThreads; ++i) {
    on_host += std::filesystem::file_size(root_ / "files" / ("t" + std::to_string(i)));
  }
  EXPECT_EQ(on_host, kVolume);
}

}  // namespace
}  // namespace platform::testing
