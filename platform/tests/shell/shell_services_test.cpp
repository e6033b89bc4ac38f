// The special folders, shortcuts and the out-of-memory message.
#include "platform/shell_services.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

class ShellServicesTest : public ::testing::Test {
 protected:
  testing::TempHandheld device_;
};

TEST_F(ShellServicesTest, ThePersonalFolderIsMyDocuments) {
  char path[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PERSONAL, FALSE));
  EXPECT_STREQ(path, "\\My Documents");
  EXPECT_EQ(SpecialFolderPath(CSIDL_MYPICTURES), "\\My Documents\\My Pictures");
}

TEST_F(ShellServicesTest, AFolderIsMadeOnlyWhenAskedTo) {
  EXPECT_EQ(GetFileAttributes("\\Windows\\Start Menu"), INVALID_FILE_ATTRIBUTES);
  char path[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PROGRAMS, FALSE));
  EXPECT_EQ(GetFileAttributes(path), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PROGRAMS, TRUE));
  EXPECT_STREQ(path, "\\Windows\\Start Menu\\Programs");
  EXPECT_NE(GetFileAttributes(path) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(ShellServicesTest, AnUnknownFolderOrNoBufferFails) {
  char path[MAX_PATH] = {};
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, 0x7777, FALSE));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, nullptr, CSIDL_PERSONAL, FALSE));
}

TEST_F(ShellServicesTest, TheOutOfMemoryMessageIsABoxOwnedByTheCaller) {
  const HWND owner = reinterpret_cast<HWND>(0x1234);
  EXPECT_TRUE(SHShowOutOfMemory(owner, 0));
  const auto boxes = device_.handheld().message_boxes().Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.owner, owner);
  EXPECT_EQ(boxes[0].request.text, kOutOfMemoryText);
  EXPECT_EQ(boxes[0].request.caption, kOutOfMemoryCaption);
  EXPECT_EQ(boxes[0].request.icon(), MB_ICONERROR);
}

TEST_F(ShellServicesTest, AShortcutGivesBackItsTargetSpacesAndAll) {
  ASSERT_TRUE(SHCreateShortcut("\\My Documents\\Camera.lnk", "\\windows\\orsacap.exe"));
  EXPECT_EQ(SHGetShortcutTarget("\\My Documents\\Camera.lnk"), "\\windows\\orsacap.exe");
  ASSERT_TRUE(SHCreateShortcut("\\My Documents\\Notes.lnk", "\\My Documents\\a note.txt"));
  EXPECT_EQ(SHGetShortcutTarget("\\My Documents\\Notes.lnk"), "\\My Documents\\a note.txt");
  // Not a shortcut at all.
  const std::string junk = "no hash here";
  ASSERT_TRUE(device_.handheld().files().InstallFile("\\My Documents\\Junk.lnk",
                                                     std::as_bytes(std::span(junk))));
  EXPECT_EQ(SHGetShortcutTarget("\\My Documents\\Junk.lnk"), std::nullopt);
  EXPECT_EQ(SHGetShortcutTarget("\\My Documents\\Missing.lnk"), std::nullopt);
}

}  // namespace
}  // namespace platform
