// The orsa-card tool as its users run it: a still that a JPEG decoder
// reads at its size, preview frames written as whole pictures, and the
// exit status of wrong arguments.
#ifdef ORSA_CARD_TOOL

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "card_testing/jpeg_tools.h"
#include "platform/testing/temp_handheld.h"

namespace orsadrv::testing {
namespace {

class OrsaCardToolTest : public ::testing::Test {
 protected:
  ~OrsaCardToolTest() override { std::filesystem::remove_all(folder_); }

  // Runs the tool with `arguments`; its exit status, its standard output
  // in *output when given.
  int Run(const std::string& arguments, std::string* output = nullptr) {
    const std::string command =
        std::string(ORSA_CARD_TOOL) + " " + arguments + " 2>" + (folder_ / "stderr").string();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    const int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string Errors() { return Read(folder_ / "stderr"); }

  static std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static std::vector<std::uint8_t> Bytes(const std::filesystem::path& file) {
    const std::string text = Read(file);
    return {text.begin(), text.end()};
  }

  std::filesystem::path folder_ = platform::testing::MakeTemporaryFolder("orsa-card-test");
};

TEST_F(OrsaCardToolTest, SnapshotOfType4DecodesAt320By240) {
  const auto picture_file = folder_ / "still.jpg";
  ASSERT_EQ(Run("snapshot --type 4 --quality 2 --wb sun " + picture_file.string()), 0) << Errors();
  const auto picture = card::testing::Decode(Bytes(picture_file));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 320);
  EXPECT_EQ(picture->height, 240);
}

TEST_F(OrsaCardToolTest, NegativeBlackAndWhiteStillsOfOtherTypesDecodeToo) {
  const auto negative = folder_ / "negative.jpg";
  ASSERT_EQ(Run("snapshot --type 6 --quality 0 --color negative " + negative.string()), 0)
      << Errors();
  auto picture = card::testing::Decode(Bytes(negative));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 160);
  const auto grey = folder_ / "grey.jpg";
  ASSERT_EQ(Run("snapshot --type 3 --quality 1 --color bw " + grey.string()), 0) << Errors();
  picture = card::testing::Decode(Bytes(grey));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 640);
  double red = 0, green = 0, blue = 0;
  picture->MeanColour(&red, &green, &blue);
  EXPECT_NEAR(red, blue, 3.0) << "black and white has no colour";
}

TEST_F(OrsaCardToolTest, PreviewWritesFramesThatDecodeAndReportsEach) {
  const auto frames = folder_ / "frames";
  std::string output;
  ASSERT_EQ(Run("preview --frames 5 --out " + frames.string(), &output), 0) << Errors();
  int written = 0;
  for (const auto& entry : std::filesystem::directory_iterator(frames)) {
    const auto picture = card::testing::Decode(Bytes(entry.path()));
    ASSERT_TRUE(picture) << entry.path();
    EXPECT_EQ(picture->width, 320);
    EXPECT_EQ(picture->height, 240);
    ++written;
  }
  EXPECT_GE(written, 4) << "nearly every fetch brings a frame";
  EXPECT_TRUE(std::filesystem::exists(frames / "frame0001.jpg"));
  EXPECT_NE(output.find("fps"), std::string::npos) << output;
  EXPECT_NE(output.find("luminance"), std::string::npos) << output;
}

TEST_F(OrsaCardToolTest, SmallPreviewTypeWritesItsSize) {
  const auto frames = folder_ / "small";
  ASSERT_EQ(Run("preview --frames 3 --type 20 --out " + frames.string()), 0) << Errors();
  const auto picture = card::testing::Decode(Bytes(frames / "frame0001.jpg"));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 160);
  EXPECT_EQ(picture->height, 120);
}

TEST_F(OrsaCardToolTest, HelpGoesToStandardOutput) {
  std::string output;
  EXPECT_EQ(Run("--help", &output), 0);
  EXPECT_NE(output.find("usage: orsa-card"), std::string::npos);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(OrsaCardToolTest, WrongArgumentsExitWith2AndSayWhy) {
  for (const char* arguments :
       {"", "shoot", "snapshot --type 4 out.jpg", "snapshot --type 4 --quality 3 out.jpg",
        "snapshot --type 4 --quality 1", "snapshot --type 4 --quality 1 --color sepia out.jpg",
        "preview", "preview --frames 0", "preview --frames 5 --type 3", "preview --frames x",
        "preview --frames 5 --type"}) {
    std::string output;
    EXPECT_EQ(Run(arguments, &output), 2) << arguments;
    EXPECT_TRUE(output.empty()) << arguments;
    EXPECT_NE(Errors().find("usage:"), std::string::npos) << arguments;
  }
}

TEST_F(OrsaCardToolTest, AnUnreadableSceneFails) {
  EXPECT_EQ(Run("preview --frames 1 --scene " + (folder_ / "none.png").string()), 1);
  EXPECT_NE(Errors().find("none.png"), std::string::npos);
}

}  // namespace
}  // namespace orsadrv::testing

#endif  // ORSA_CARD_TOOL
