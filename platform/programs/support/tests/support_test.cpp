// The command-line reading, file checks and whole-file writing that every
// built-in program shares.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/testing/temp_handheld.h"
#include "programs/command_line.h"
#include "programs/input_file.h"
#include "programs/whole_file.h"

namespace platform::programs {
namespace {

TEST(CommandLineTest, ReadsQuotedAndUnquotedPathsWithSpaces) {
  std::string error;
  EXPECT_EQ(PathArgument("\\My Documents\\a b.jpg", &error), "\\My Documents\\a b.jpg");
  EXPECT_EQ(PathArgument("  \"\\My Documents\\a b.jpg\"  ", &error), "\\My Documents\\a b.jpg");
  EXPECT_EQ(SwitchArgument("-attach \"\\My Documents\\a b.jpg\"", "-attach", &error),
            "\\My Documents\\a b.jpg");
  EXPECT_EQ(SwitchArgument("-ATTACH \\x\\y z.png", "-attach", &error), "\\x\\y z.png");
}

TEST(CommandLineTest, RefusesBrokenLinesWithAReason) {
  struct Case {
    std::string line;
    const char* reason;
  };
  const Case cases[] = {
      {"", "No file was named."},
      {"   ", "No file was named."},
      {"\"\"", "No file was named."},
      {"\"\\a.jpg", "A quote is not closed."},
      {"\\a\".jpg", "A quote is not closed."},
      {"\"\\a.jpg\" \"\\b.jpg\"", "Only one file can be named."},
      {"\\" + std::string(300, 'a'), "The file name is too long."},
      {std::string(kMaxCommandLine + 1, 'a'), "The command line is too long."},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(PathArgument(c.line, &error)) << c.line;
    EXPECT_EQ(error, c.reason) << c.line;
  }
  std::string error;
  EXPECT_FALSE(SwitchArgument("-attachment \\a.jpg", "-attach", &error));
  EXPECT_FALSE(SwitchArgument("\\a.jpg", "-attach", &error));
  EXPECT_EQ(error, "Expected -attach and a file.");
  EXPECT_FALSE(SwitchArgument("-attach", "-attach", &error));
  EXPECT_EQ(error, "No file was named.");
}

TEST(InputFileTest, NamesMissingFilesAndFolders) {
  testing::TempHandheld handheld;
  CreateDirectory("\\My Documents");
  const std::string text = "picture";
  ASSERT_TRUE(handheld.handheld().files().InstallFile("\\My Documents\\a b.jpg",
                                                      std::as_bytes(std::span(text))));
  std::string error;
  EXPECT_TRUE(CheckInputFile("\\My Documents\\a b.jpg", &error));
  EXPECT_FALSE(CheckInputFile("\\My Documents\\gone.jpg", &error));
  EXPECT_EQ(error, "\"\\My Documents\\gone.jpg\" cannot be found.");
  EXPECT_FALSE(CheckInputFile("\\My Documents", &error));
  EXPECT_EQ(error, "\"\\My Documents\" is a folder, not a file.");
  EXPECT_FALSE(CheckInputFile("My Documents\\a b.jpg", &error));
  EXPECT_EQ(error, "\"My Documents\\a b.jpg\" is not a valid file name.");

  const auto bytes = ReadInputFile("\\My Documents\\a b.jpg", &error);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()), text);
  EXPECT_EQ(FileNameOf("\\My Documents\\a b.JPG"), "a b.JPG");
  EXPECT_EQ(ExtensionOf("\\My Documents\\a b.JPG"), "jpg");
  EXPECT_EQ(ExtensionOf("\\x.y\\noextension"), "");
}

TEST(WholeFileTest, WritesWholeOrLeavesNothing) {
  testing::TempHandheld handheld;
  std::string error;
  ASSERT_TRUE(EnsureFolder("\\My Documents\\Outbox", &error)) << error;
  EXPECT_EQ(FreeFileName("\\My Documents\\Outbox", "a", ".eml"), "\\My Documents\\Outbox\\a.eml");
  const std::vector<std::byte> bytes(3 << 20, std::byte{7});
  ASSERT_TRUE(WriteWholeFile("\\My Documents\\Outbox\\a.eml", bytes, &error)) << error;
  EXPECT_EQ(FreeFileName("\\My Documents\\Outbox", "a", ".eml"),
            "\\My Documents\\Outbox\\a (2).eml");
  EXPECT_EQ(ReadInputFile("\\My Documents\\Outbox\\a.eml", &error)->size(), bytes.size());

  // A full store: no file, not even the side file.
  auto& files = handheld.handheld().files();
  ASSERT_TRUE(files.SetVolumeSize("\\", *files.VolumeUsedBytes("\\") + (1 << 20)));
  EXPECT_FALSE(WriteWholeFile("\\My Documents\\Outbox\\b.eml", bytes, &error));
  EXPECT_EQ(error, "There is no room for \"\\My Documents\\Outbox\\b.eml\".");
  EXPECT_EQ(GetFileAttributes("\\My Documents\\Outbox\\b.eml"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributes("\\My Documents\\Outbox\\b.eml.part"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace platform::programs
