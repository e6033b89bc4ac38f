// The platform's file calls on the current handheld, stamped by its clock.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/change_notify.h"
#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

constexpr std::uint64_t kJune2003 = 126989424000000000ull;

class FileApiTest : public ::testing::Test {
 protected:
  static std::filesystem::path MakeRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orsa-api-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no temporary folder";
    return pattern;
  }
  static HandheldConfig Config(const std::filesystem::path& root) {
    HandheldConfig config;
    config.root = root;
    config.boot_time = FILETIME::FromTicks(kJune2003);
    return config;
  }

  ~FileApiTest() override {
    handheld_.reset();
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }

  std::filesystem::path root_ = MakeRoot();
  std::unique_ptr<Handheld> handheld_ = std::make_unique<Handheld>(Config(root_));
};

TEST_F(FileApiTest, CallsActOnTheCurrentHandheldAndItsClock) {
  std::vector<ChangeEvent> events;
  auto registration = Handheld::Current().change_notifier().Register(
      [&](const ChangeEvent& event) { events.push_back(event); });

  ASSERT_TRUE(CreateDirectory("\\My Documents\\Notes"));
  auto file = CreateFile("\\My Documents\\Notes\\a.txt", GENERIC_WRITE, 0, CREATE_NEW);
  ASSERT_TRUE(file);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  clock::Advance(5000);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, "abc", 3, &written));
  FILETIME creation, last_write;
  ASSERT_TRUE(GetFileTime(file, &creation, nullptr, &last_write));
  EXPECT_EQ(last_write.Ticks() - creation.Ticks(), 5000u * 10'000);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  EXPECT_EQ(last_write, now);
  EXPECT_TRUE(CloseFile(file));

  WIN32_FIND_DATA data;
  FindHandle find = FindFirstFile("\\my documents\\NOTES\\*.TXT", &data);
  ASSERT_TRUE(find);
  EXPECT_EQ(data.cFileName, "a.txt");
  EXPECT_EQ(data.nFileSizeLow, 3u);
  EXPECT_FALSE(FindNextFile(find, &data));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(find));

  EXPECT_EQ(events, (std::vector<ChangeEvent>{{SHCNE_MKDIR, "\\My Documents\\Notes", ""},
                                              {SHCNE_CREATE, "\\My Documents\\Notes\\a.txt", ""},
                                              {SHCNE_UPDATEITEM, "\\My Documents\\Notes\\a.txt", ""}}));
}

TEST_F(FileApiTest, LastErrorBelongsToTheCallingThread) {
  EXPECT_FALSE(DeleteFile("\\missing.txt"));
  ThreadHandle other = CreateThread([] {
    EXPECT_FALSE(RemoveDirectory("\\Missing\\Folder"));
    return GetLastError();
  });
  ASSERT_EQ(WaitForSingleObject(other, INFINITE), WAIT_OBJECT_0);
  DWORD exit_code = 0;
  ASSERT_TRUE(GetExitCodeThread(other, &exit_code));
  EXPECT_EQ(exit_code, ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FileApiTest, FilesLastIntoTheNextRunOfTheHandheld) {
  auto file = CreateFile("\\kept.txt", GENERIC_WRITE, 0, CREATE_NEW);
  ASSERT_TRUE(file);
  FILETIME creation;
  ASSERT_TRUE(GetFileTime(file, &creation, nullptr, nullptr));
  file.Close();
  ASSERT_TRUE(SetFileAttributes("\\kept.txt", FILE_ATTRIBUTE_READONLY));
  handheld_.reset();

  handheld_ = std::make_unique<Handheld>(Config(root_));
  EXPECT_EQ(GetFileAttributes("\\KEPT.TXT"), FILE_ATTRIBUTE_READONLY);
  file = CreateFile("\\kept.txt", GENERIC_READ, 0, OPEN_EXISTING);
  FILETIME reread;
  ASSERT_TRUE(GetFileTime(file, &reread, nullptr, nullptr));
  EXPECT_EQ(reread, creation);
}

}  // namespace
}  // namespace platform
