// put-file, expect-no-file, disk-size and storage-card: files onto the
// handheld from a script, with every bad path stopped at its line and
// nothing half-copied left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "emulator_fixture.h"
#include "platform/files.h"

namespace handheld {
namespace {

class FileStepsTest : public testing::EmulatorFixture {
 protected:
  FileStepsTest() : EmulatorFixture("orsa-file-steps") {
    host_file_ = root_ / "host-picture.jpg";
    std::ofstream(host_file_, std::ios::binary) << std::string(5000, 'p');
  }
  std::string Host() const { return "\"" + host_file_.string() + "\""; }
  static std::uint64_t SizeOf(const std::string& path) {
    platform::FileHandle file =
        platform::CreateFile(path, platform::GENERIC_READ, 0, platform::OPEN_EXISTING);
    return file ? platform::GetFileSize(file, nullptr) : 0;
  }

  std::filesystem::path host_file_;
};

TEST_F(FileStepsTest, PutFileCopiesAndMakesTheFolders) {
  ASSERT_EQ(RunSteps("put-file " + Host() + " \"\\My Documents\\Trip\\Day 1\\a.jpg\"\n" +
                     "expect-file \"\\My Documents\\Trip\\Day 1\\a.jpg\"\n"),
            0)
      << steps_err_.str();
  EXPECT_EQ(SizeOf("\\My Documents\\Trip\\Day 1\\a.jpg"), 5000u);
  // Putting it again replaces it whole.
  std::ofstream(host_file_, std::ios::binary) << "short";
  ASSERT_EQ(RunSteps("put-file " + Host() + " \"\\My Documents\\Trip\\Day 1\\a.jpg\"\n"), 0);
  EXPECT_EQ(SizeOf("\\My Documents\\Trip\\Day 1\\a.jpg"), 5u);
}

TEST_F(FileStepsTest, BadPathsStopTheScriptWithTheLine) {
  // A handheld path that is not absolute, or too long, is refused before
  // anything runs.
  EXPECT_EQ(RunSteps("echo a\nput-file " + Host() + " \"My Documents\\a.jpg\"\n"), -1);
  EXPECT_NE(steps_err_.str().find("line 2: put-file:"), std::string::npos) << steps_err_.str();
  steps_err_.str("");
  EXPECT_EQ(RunSteps("put-file " + Host() + " \"\\" + std::string(300, 'n') + ".jpg\"\n"), -1);
  EXPECT_NE(steps_err_.str().find("longer than 259 characters"), std::string::npos)
      << steps_err_.str();
  steps_err_.str("");
  // A missing host file, or a card that is not in, stop the script.
  EXPECT_EQ(RunSteps("echo a\necho b\nput-file /no/such/file.jpg \"\\My Documents\\x.jpg\"\n"), 1);
  EXPECT_NE(
      steps_err_.str().find("line 3: put-file: cannot read the host file '/no/such/file.jpg'"),
      std::string::npos)
      << steps_err_.str();
  EXPECT_EQ(RunSteps("put-file " + Host() + " \"\\Storage Card\\x.jpg\"\n"), 1);
  EXPECT_NE(steps_err_.str().find("there is no storage card"), std::string::npos)
      << steps_err_.str();
}

TEST_F(FileStepsTest, ACopyThatDoesNotFitLeavesNothingBehind) {
  ASSERT_EQ(RunSteps("disk-size \"\\My Documents\" 4000\n"), 0) << steps_err_.str();
  EXPECT_EQ(RunSteps("put-file " + Host() + " \"\\My Documents\\New\\a.jpg\"\n"), 1);
  EXPECT_NE(steps_err_.str().find("the volume is full"), std::string::npos) << steps_err_.str();
  EXPECT_EQ(platform::GetFileAttributes("\\My Documents\\New\\a.jpg"),
            platform::INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(platform::GetFileAttributes("\\My Documents\\New\\a.jpg.put~"),
            platform::INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(platform::GetFileAttributes("\\My Documents\\New"), platform::INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(RunSteps("expect-no-file \"\\My Documents\\New\"\n"), 0);
}

TEST_F(FileStepsTest, DiskSizeLeavesThatMuchFreeAndAWriteBeyondItFailsDiskFull) {
  ASSERT_EQ(RunSteps("disk-size \\ 2K\n"), 0) << steps_err_.str();
  std::uint64_t free_bytes = 0;
  ASSERT_TRUE(platform::GetDiskFreeSpaceEx("\\My Documents", &free_bytes, nullptr, nullptr));
  EXPECT_EQ(free_bytes, 2048u);
  platform::FileHandle file = platform::CreateFile("\\My Documents\\f.bin", platform::GENERIC_WRITE,
                                                   0, platform::CREATE_ALWAYS);
  const std::string data(3000, 'x');
  platform::DWORD written = 0;
  EXPECT_FALSE(platform::WriteFile(file, data.data(), 3000, &written));
  EXPECT_EQ(platform::GetLastError(), platform::ERROR_DISK_FULL);
  EXPECT_EQ(RunSteps("disk-size \\ lots\n"), -1);
}

TEST_F(FileStepsTest, ExpectNoFileFailsWhenTheFileIsThere) {
  EXPECT_EQ(RunSteps("expect-no-file \"\\My Documents\\none.jpg\"\n"), 0);
  EXPECT_EQ(RunSteps("expect-no-file \"\\My Documents\"\n"), 1);
  EXPECT_NE(steps_err_.str().find("line 1: expect-no-file: \\My Documents exists"),
            std::string::npos);
}

TEST_F(FileStepsTest, TheStorageCardGoesInWithItsSizeAndComesOut) {
  ASSERT_EQ(RunSteps("storage-card insert\n"), 0) << steps_err_.str();
  std::uint64_t total = 0;
  ASSERT_TRUE(platform::GetDiskFreeSpaceEx("\\Storage Card", nullptr, &total, nullptr));
  EXPECT_EQ(total, std::uint64_t{256} << 20);
  ASSERT_EQ(RunSteps("put-file " + Host() + " \"\\Storage Card\\DCIM\\a.jpg\"\n"), 0)
      << steps_err_.str();
  ASSERT_EQ(RunSteps("storage-card remove\nexpect-no-file \"\\Storage Card\\DCIM\\a.jpg\"\n"), 0);
  ASSERT_EQ(RunSteps("storage-card insert 64M\nexpect-file \"\\Storage Card\\DCIM\\a.jpg\"\n"), 0);
  ASSERT_TRUE(platform::GetDiskFreeSpaceEx("\\Storage Card", nullptr, &total, nullptr));
  EXPECT_EQ(total, std::uint64_t{64} << 20);
  EXPECT_EQ(RunSteps("storage-card insert\n"), 1);
  EXPECT_EQ(RunSteps("storage-card eject\n"), -1);
}

TEST_F(FileStepsTest, TheMainStoreHasThePeriodsSize) {
  std::uint64_t free_bytes = 0, total = 0;
  ASSERT_TRUE(platform::GetDiskFreeSpaceEx("\\", &free_bytes, &total, nullptr));
  EXPECT_EQ(total, std::uint64_t{32} << 20);
  EXPECT_GT(free_bytes, std::uint64_t{19} << 20);
  EXPECT_LE(free_bytes, std::uint64_t{20} << 20);
}

}  // namespace
}  // namespace handheld
