// A file system over a fresh temporary handheld root, with a clock the test
// sets, and a log of the change notifications it raises.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/change_notify.h"
#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/last_error.h"

namespace platform::testing {

// 1 June 2003, 12:00 UTC, in 100 ns ticks since 1601.
inline constexpr std::uint64_t kJune2003 = 126989424000000000ull;
inline constexpr std::uint64_t kTicksPerSecond = 10'000'000;

class FilesTest : public ::testing::Test {
 protected:
  FilesTest() : root_(MakeRoot()) { Start(); }

  ~FilesTest() override {
    files_.reset();
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }

  static std::filesystem::path MakeRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orsa-files-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no temporary folder";
    return pattern;
  }

  // (Re)creates the file system over the same root: a later run of the
  // handheld.
  void Start(std::uint64_t store_size = 0) {
    files_.reset();
    HandheldConfig config;
    config.root = root_;
    config.store_size_bytes = store_size;
    files_ = std::make_unique<FileSystem>(config, notifier_);
    files_->SetClock([this] { return now_; });
  }

  void AdvanceClock(std::uint64_t seconds) {
    now_ = FILETIME::FromTicks(now_.Ticks() + seconds * kTicksPerSecond);
  }

  // Writes a whole file through the layer; fails the test when it cannot.
  void Write(std::string_view path, std::string_view contents) {
    FileHandle file = files_->CreateFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_TRUE(file) << path << ": error " << GetLastError();
    DWORD written = 0;
    ASSERT_TRUE(
        files_->WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written));
    ASSERT_EQ(written, contents.size());
  }

  std::string Read(std::string_view path) {
    FileHandle file =
        files_->CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (!file) return "<error " + std::to_string(GetLastError()) + ">";
    std::string contents(files_->GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    files_->ReadFile(file, contents.data(), static_cast<DWORD>(contents.size()), &read);
    contents.resize(read);
    return contents;
  }

  void MakeFolder(std::string_view path) {
    ASSERT_TRUE(files_->CreateDirectory(path)) << path << ": error " << GetLastError();
  }

  // Places a file on the host directly, as something outside the handheld
  // would.
  void WriteHostFile(const std::filesystem::path& relative, std::string_view contents) {
    const std::filesystem::path path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
  }

  // Expects a failed call's last error.
  void ExpectError(DWORD error) { EXPECT_EQ(GetLastError(), error); }

  std::filesystem::path root_;
  FILETIME now_ = FILETIME::FromTicks(kJune2003);
  ChangeNotifier notifier_;
  std::unique_ptr<FileSystem> files_;
};

// Records the events a notifier raises.
class EventLog {
 public:
  explicit EventLog(ChangeNotifier& notifier)
      : registration_(
            notifier.Register([this](const ChangeEvent& event) { events_.push_back(event); })) {}
  std::vector<ChangeEvent> Take() { return std::exchange(events_, {}); }

 private:
  std::vector<ChangeEvent> events_;
  ChangeNotifier::Registration registration_;
};

}  // namespace platform::testing

namespace platform {

inline void PrintTo(const ChangeEvent& event, std::ostream* out) {
  *out << "{0x" << std::hex << event.kind << std::dec << ", \"" << event.path << "\", \""
       << event.old_path << "\"}";
}

}  // namespace platform
