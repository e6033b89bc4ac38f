// The shell's change notifications reach registered windows as records the
// window frees.
#include "platform/shell_notify.h"

#include <span>

#include "platform/files.h"
#include "windows/window_test_fixture.h"

namespace platform {
namespace {

class ShellNotifyTest : public testing::WindowTest {
 protected:
  ShellNotifyTest() {
    RegisterRecordingClass(
        "Browser", [this](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
          if (message != WM_FILECHANGEINFO) return std::nullopt;
          auto* notify = reinterpret_cast<FILECHANGENOTIFY*>(lparam);
          events_.push_back(notify->fci);
          freed_ = SHChangeNotifyFree(notify) && freed_;
          return 0;
        });
    browser_ = CreateWindow("Browser", "", 0, 0, 26, 240, 268, nullptr, nullptr, nullptr, nullptr);
    CreateDirectory("\\My Documents\\My Pictures");
    CreateDirectory("\\My Documents\\My Pictures\\Trip");
  }

  static void Write(std::string_view path, std::string_view contents) {
    FileHandle file = CreateFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    DWORD written = 0;
    WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written);
    CloseFile(file);
  }

  HWND browser_ = nullptr;
  std::vector<FILECHANGEINFO> events_;
  bool freed_ = true;
};

TEST_F(ShellNotifyTest, ChangesInTheWatchedFolderArriveAsRecords) {
  SHCHANGENOTIFYENTRY entry;
  entry.pszWatchDir = "\\My Documents\\My Pictures";
  entry.fRecursive = FALSE;
  ASSERT_TRUE(SHChangeNotifyRegister(browser_, &entry));
  Write("\\My Documents\\My Pictures\\snap0001.jpg", "picture");
  Write("\\My Documents\\My Pictures\\Trip\\snap0002.jpg", "deeper");  // not recursive
  Write("\\My Documents\\note.txt", "elsewhere");
  MoveFile("\\My Documents\\My Pictures\\snap0001.jpg", "\\My Documents\\My Pictures\\a.jpg");
  DeleteFile("\\My Documents\\My Pictures\\a.jpg");
  Pump();
  ASSERT_GE(events_.size(), 3u);
  EXPECT_EQ(events_.front().wEventId, SHCNE_CREATE);
  EXPECT_EQ(events_.front().dwItem1, "\\My Documents\\My Pictures\\snap0001.jpg");
  bool renamed = false, deleted = false;
  for (const FILECHANGEINFO& info : events_) {
    EXPECT_EQ(info.dwItem1.find("Trip"), std::string::npos);
    EXPECT_EQ(info.dwItem1.find("note"), std::string::npos);
    if (info.wEventId == SHCNE_RENAMEITEM) {
      renamed = true;
      EXPECT_EQ(info.dwItem1, "\\My Documents\\My Pictures\\snap0001.jpg");
      EXPECT_EQ(info.dwItem2, "\\My Documents\\My Pictures\\a.jpg");
      EXPECT_EQ(info.nFileSize, 7u);
    }
    deleted = deleted || info.wEventId == SHCNE_DELETE;
  }
  EXPECT_TRUE(renamed);
  EXPECT_TRUE(deleted);
  EXPECT_TRUE(freed_);
  // A record is freed once.
  FILECHANGENOTIFY stray;
  EXPECT_FALSE(SHChangeNotifyFree(&stray));
}

TEST_F(ShellNotifyTest, RecursiveWatchingAndDeregistering) {
  SHCHANGENOTIFYENTRY entry;  // every folder, recursive
  entry.dwEventMask = SHCNE_CREATE;
  ASSERT_TRUE(SHChangeNotifyRegister(browser_, &entry));
  Write("\\My Documents\\My Pictures\\Trip\\snap0002.jpg", "deeper");
  DeleteFile("\\My Documents\\My Pictures\\Trip\\snap0002.jpg");  // not asked for
  Pump();
  ASSERT_EQ(events_.size(), 1u);
  EXPECT_EQ(events_[0].dwItem1, "\\My Documents\\My Pictures\\Trip\\snap0002.jpg");
  EXPECT_TRUE(SHChangeNotifyDeregister(browser_));
  EXPECT_FALSE(SHChangeNotifyDeregister(browser_));
  Write("\\My Documents\\later.jpg", "x");
  Pump();
  EXPECT_EQ(events_.size(), 1u);
  EXPECT_FALSE(SHChangeNotifyRegister(nullptr, &entry));
  EXPECT_FALSE(SHChangeNotifyRegister(browser_, nullptr));
}

}  // namespace
}  // namespace platform
