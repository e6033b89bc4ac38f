// Starting programs and opening documents through the shell.
#include "platform/shell_execute.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"

namespace platform {
namespace {

class ShellExecuteTest : public ::testing::Test {
 protected:
  // A program that remembers the command line it was started with.
  void AddProgram(std::string_view path) {
    device_.handheld().programs().Register(
        path, [this, name = std::string(path)](HINSTANCE, const std::string& command_line) {
          started_ = name + " " + command_line;
          return 0;
        });
    const std::string contents = "program";
    ASSERT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(contents))));
  }
  static void SetDefault(const std::string& key_name, const std::string& value) {
    RegKey key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, key_name, key.put()), ERROR_SUCCESS);
    RegSetValueEx(key.get(), "", REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
  }
  // Runs it and waits for the started program to end.
  BOOL Execute(SHELLEXECUTEINFO& info) {
    info.fMask |= SEE_MASK_NOCLOSEPROCESS;
    const BOOL done = ShellExecuteEx(&info);
    if (done) WaitForSingleObject(*info.hProcess, INFINITE);
    return done;
  }

  testing::TempHandheld device_;
  std::string started_;
};

TEST_F(ShellExecuteTest, AProgramByNameGetsTheParameters) {
  AddProgram("\\Windows\\beam.exe");
  SHELLEXECUTEINFO info;
  info.lpFile = "beam.exe";
  info.lpParameters = "\\My Documents\\My Pictures\\snap0001.jpg";
  ASSERT_TRUE(Execute(info));
  EXPECT_EQ(info.hInstApp, kShellExecuteSucceeded);
  EXPECT_EQ(started_, "\\Windows\\beam.exe \\My Documents\\My Pictures\\snap0001.jpg");
}

TEST_F(ShellExecuteTest, AMissingProgramFails) {
  SHELLEXECUTEINFO info;
  info.lpFile = "irsquirt.exe";
  EXPECT_FALSE(ShellExecuteEx(&info));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(info.hInstApp, SE_ERR_FNF);
  EXPECT_EQ(info.hProcess, nullptr);
  SHELLEXECUTEINFO empty;
  EXPECT_FALSE(ShellExecuteEx(&empty));
  EXPECT_FALSE(ShellExecuteEx(nullptr));
}

TEST_F(ShellExecuteTest, AFailureIsToldInABoxOwnedByTheCallerUnlessNoBoxesAreWanted) {
  MessageBoxService& boxes = device_.handheld().message_boxes();
  const HWND owner = reinterpret_cast<HWND>(0x1234);
  SHELLEXECUTEINFO info;
  info.hwnd = owner;
  info.lpFile = "\\Windows\\irsquirt.exe";
  EXPECT_FALSE(ShellExecuteEx(&info));
  info.lpFile = "\\My Documents\\note.txt";
  EXPECT_FALSE(ShellExecuteEx(&info));
  info.fMask = SEE_MASK_FLAG_NO_UI;
  EXPECT_FALSE(ShellExecuteEx(&info));
  EXPECT_EQ(GetLastError(), ERROR_NO_ASSOCIATION);

  const std::vector<MessageBoxRecord> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].request.owner, owner);
  EXPECT_EQ(shown[0].request.caption, "irsquirt.exe");
  EXPECT_NE(shown[0].request.text.find("Cannot find 'irsquirt.exe'"), std::string::npos);
  EXPECT_EQ(shown[0].request.icon(), MB_ICONEXCLAMATION);
  EXPECT_EQ(shown[1].request.caption, "note.txt");
  EXPECT_NE(shown[1].request.text.find("No program is registered to open 'note.txt'"),
            std::string::npos);
}

TEST_F(ShellExecuteTest, ADocumentOpensWithTheProgramItsTypeIsRegisteredWith) {
  AddProgram("\\Windows\\orsagal.exe");
  SetDefault(".jpg", "orsagal.jpg");
  SetDefault("orsagal.jpg\\Shell\\Open\\Command", "\"\\Windows\\orsagal.exe\" %1");
  SHELLEXECUTEINFO info;
  info.lpFile = "\\My Documents\\My Pictures\\SNAP0002.JPG";
  ASSERT_TRUE(Execute(info));
  EXPECT_EQ(started_, "\\Windows\\orsagal.exe \\My Documents\\My Pictures\\SNAP0002.JPG");

  info.lpFile = "\\My Documents\\note.txt";
  EXPECT_FALSE(ShellExecuteEx(&info));
  EXPECT_EQ(GetLastError(), ERROR_NO_ASSOCIATION);
  EXPECT_EQ(info.hInstApp, SE_ERR_NOASSOC);
}

}  // namespace
}  // namespace platform
