// The mail programs on a handheld: what they leave in the outbox, read back
// by an independent parser (Python's email package), and what they leave
// when the command line or the file is wrong.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/testing/temp_handheld.h"
#include "programs/mail.h"
#include "programs/testing_run.h"

namespace platform::programs {
namespace {

namespace fs = std::filesystem;
using testing::ReadHostFile;
using testing::RunHostCommand;
using testing::RunProgram;

class MailProgramTest : public ::testing::Test {
 protected:
  MailProgramTest() {
    EXPECT_TRUE(InstallMailPrograms(device_.handheld(), true, true));
    CreateDirectory("\\My Documents");
    CreateDirectory("\\My Documents\\My Pictures");
  }

  // A picture-sized file of bytes that do not compress, starting as a JPEG.
  std::string InstallPicture(const std::string& path, std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    bytes[0] = '\xFF';
    bytes[1] = '\xD8';
    EXPECT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(bytes))));
    return bytes;
  }

  platform::testing::TempHandheld device_;
};

TEST_F(MailProgramTest, AMessageWithALargePictureReadsBackByteForByte) {
  const std::string picture =
      InstallPicture("\\My Documents\\My Pictures\\Trip to the sea.jpg", 1'200'000);
  ASSERT_EQ(RunProgram(kTmailPath, "-attach \"\\My Documents\\My Pictures\\Trip to the sea.jpg\""),
            0)
      << ::testing::PrintToString(testing::BoxTexts(device_.handheld()));
  const std::string message =
      testing::HostPathOf(device_.handheld(), std::string(kOutboxFolder) + "\\Message 0001.eml");
  ASSERT_FALSE(message.empty()) << ::testing::PrintToString(
      testing::FolderNames(device_.handheld(), kOutboxFolder));

  const fs::path extracted = device_.root() / "attachment.bin";
  const std::string report = RunHostCommand("python3 " ORSA_READ_MESSAGE " '" + message + "' '" +
                                            extracted.string() + "' 2>&1");
  EXPECT_NE(report.find("from: Handheld Owner <owner@handheld.invalid>\n"), std::string::npos)
      << report;
  EXPECT_NE(report.find("subject: Trip to the sea.jpg\n"), std::string::npos) << report;
  EXPECT_NE(report.find("date: Sun, 01 Jun 2003 12:00"), std::string::npos) << report;
  EXPECT_NE(report.find("mailer: tmail\n"), std::string::npos) << report;
  EXPECT_NE(report.find("crlf: True\n"), std::string::npos) << report;
  EXPECT_NE(report.find("defects: 0\n"), std::string::npos) << report;
  EXPECT_NE(report.find("attachments: 1\n"), std::string::npos) << report;
  EXPECT_NE(report.find("type: image/jpeg\n"), std::string::npos) << report;
  EXPECT_NE(report.find("encoding: base64\n"), std::string::npos) << report;
  EXPECT_NE(report.find("filename: Trip to the sea.jpg\n"), std::string::npos) << report;
  EXPECT_TRUE(ReadHostFile(extracted) == picture) << "the attachment differs";
  EXPECT_TRUE(testing::BoxTexts(device_.handheld()).empty());
}

TEST_F(MailProgramTest, EachSendIsItsOwnMessageAndPmailSaysWhoItIs) {
  InstallPicture("\\My Documents\\a.png", 1000);
  EXPECT_EQ(RunProgram(kTmailPath, "-attach \"\\My Documents\\a.png\""), 0);
  EXPECT_EQ(RunProgram(kPmailPath, "-attach \\My Documents\\a.png"), 0);
  const std::string second =
      testing::HostPathOf(device_.handheld(), std::string(kOutboxFolder) + "\\Message 0002.eml");
  ASSERT_FALSE(second.empty());
  const std::string text = ReadHostFile(second);
  EXPECT_NE(text.find("X-Mailer: pmail\r\n"), std::string::npos);
  EXPECT_NE(text.find("Content-Type: image/png"), std::string::npos);
  EXPECT_EQ(testing::FolderNames(device_.handheld(), kOutboxFolder).size(), 2u);
}

TEST_F(MailProgramTest, WrongCommandLinesAndFilesLeaveNothingAndSayWhy) {
  InstallPicture("\\My Documents\\a.jpg", 100);
  struct Case {
    std::string line;
    std::string says;
  };
  const Case cases[] = {
      {"", "Expected -attach and a file."},
      {"\\My Documents\\a.jpg", "Expected -attach and a file."},
      {"-attach", "No file was named."},
      {"-attach \"\\My Documents\\a.jpg", "A quote is not closed."},
      {"-attach \"\\My Documents\\gone.jpg\"", "\"\\My Documents\\gone.jpg\" cannot be found."},
      {"-attach \"\\My Documents\"", "\"\\My Documents\" is a folder, not a file."},
      {"-attach \"\\" + std::string(400, 'x') + ".jpg\"", "The file name is too long."},
      {"-attach " + std::string(5000, ' ') + "\\My Documents\\a.jpg",
       "The command line is too long."},
  };
  for (const Case& c : cases) {
    device_.handheld().message_boxes().ClearRecord();
    EXPECT_EQ(RunProgram(kTmailPath, c.line), 1) << c.line;
    EXPECT_EQ(testing::BoxTexts(device_.handheld()),
              std::vector<std::string>{"Messaging: The message was not made. " + c.says})
        << c.line.substr(0, 80);
  }
  EXPECT_TRUE(testing::FolderNames(device_.handheld(), kOutboxFolder).empty())
      << ::testing::PrintToString(testing::FolderNames(device_.handheld(), kOutboxFolder));
}

TEST_F(MailProgramTest, AFullStoreLeavesNoHalfMessage) {
  InstallPicture("\\My Documents\\a.jpg", 600'000);
  auto& files = device_.handheld().files();
  ASSERT_TRUE(files.SetVolumeSize("\\", *files.VolumeUsedBytes("\\") + 300'000));
  EXPECT_EQ(RunProgram(kTmailPath, "-attach \"\\My Documents\\a.jpg\""), 1);
  ASSERT_EQ(testing::BoxTexts(device_.handheld()).size(), 1u);
  EXPECT_NE(testing::BoxTexts(device_.handheld())[0].find("There is no room for"),
            std::string::npos)
      << testing::BoxTexts(device_.handheld())[0];
  EXPECT_TRUE(testing::FolderNames(device_.handheld(), kOutboxFolder).empty())
      << ::testing::PrintToString(testing::FolderNames(device_.handheld(), kOutboxFolder));
}

TEST(MailProgramsTest, EitherProgramCanBeLeftOut) {
  platform::testing::TempHandheld other;
  ASSERT_TRUE(InstallMailPrograms(other.handheld(), false, true));
  EXPECT_EQ(GetFileAttributes(kTmailPath), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributes(kPmailPath), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(CreateProcess(kTmailPath, "", nullptr));
}

}  // namespace
}  // namespace platform::programs
