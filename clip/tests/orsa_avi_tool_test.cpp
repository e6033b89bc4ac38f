// The orsa-avi tool: usage and exit codes, info, extract and make.
#include <gtest/gtest.h>

#include <string>

#include "clip_files.h"
#include "reference_codec.h"
#include "test_images.h"

namespace clip {
namespace {

using testing::HostFolder;
using testing::Quote;
using testing::RunCommand;
using testing::Tool;
using testing::WriteClipInputs;

class OrsaAviToolTest : public ::testing::Test {
 protected:
  testing::CommandResult Run(const std::string& args) {
    return RunCommand(Tool() + " " + args, folder_);
  }
  HostFolder folder_;
};

TEST_F(OrsaAviToolTest, HelpAndUsageErrors) {
  const auto help = Run("--help");
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("usage: orsa-avi info CLIP.avi"), std::string::npos);
  EXPECT_EQ(Run("").exit_code, 2);
  EXPECT_EQ(Run("convert x.avi").exit_code, 2);
  EXPECT_EQ(Run("info").exit_code, 2);
  EXPECT_EQ(Run("extract only-a-clip.avi").exit_code, 2);
  const auto no_fps = Run("make " + Quote(folder_ / "out.avi") + " a.jpg");
  EXPECT_EQ(no_fps.exit_code, 2);
  EXPECT_NE(no_fps.err.find("--fps"), std::string::npos);
  EXPECT_EQ(Run("make --fps 0 out.avi a.jpg").exit_code, 2);
}

TEST_F(OrsaAviToolTest, FilesThatCannotBeUsed) {
  EXPECT_EQ(Run("info " + Quote(folder_ / "missing.avi")).exit_code, 3);
  testing::WriteFile(folder_ / "text.avi", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(Run("extract " + Quote(folder_ / "text.avi") + " " + Quote(folder_ / "out")).exit_code,
            1)
      << "nothing to extract";
  EXPECT_EQ(Run("make --fps 5 " + Quote(folder_ / "clip.avi") + " " + Quote(folder_ / "text.avi"))
                .exit_code,
            3)
      << "not a JPEG frame";
  testing::WriteFile(folder_ / "frame.jpg", testing::CameraFrame(160, 120, 0));
  EXPECT_EQ(Run("make --fps 5 --wav " + Quote(folder_ / "text.avi") + " " +
                Quote(folder_ / "clip.avi") + " " + Quote(folder_ / "frame.jpg"))
                .exit_code,
            3)
      << "not a WAV file";
}

TEST_F(OrsaAviToolTest, InfoDescribesAClipMadeByMake) {
  const auto make = Run("make --fps 5" + WriteClipInputs(folder_, 10, 2 * 16000));
  ASSERT_EQ(make.exit_code, 0) << make.err;
  EXPECT_NE(make.out.find("10 frames of 320 x 240, 25 sound blocks, 2 s, 5.000 frames/s"),
            std::string::npos)
      << make.out;
  const auto info = Run("info " + Quote(folder_ / "clip.avi"));
  ASSERT_EQ(info.exit_code, 0) << info.err;
  EXPECT_NE(
      info.out.find("main header: 200000 us/frame, 10 frames, 2 streams, 320 x 240, flags 0x810"),
      std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("frames:      10 in the index, 5.000 frames/s measured, 2.000 s"),
            std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("tag 1 (PCM), 1 channel(s), 8000 Hz, 16 bits"), std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("sound:       25 chunks, 32000 bytes, 2.000 s"), std::string::npos)
      << info.out;
}

TEST_F(OrsaAviToolTest, ExtractPutsTheStandardTablesOnlyIntoFramesWithoutThem) {
  const std::vector<std::uint8_t> camera = testing::CameraFrame(320, 240, 3);
  codec::testing::EncodeOptions options;
  const std::vector<std::uint8_t> whole =
      codec::testing::EncodeJpeg(codec::testing::MakeScene(320, 240, 4), options);
  testing::WriteFile(folder_ / "a.jpg", camera);
  testing::WriteFile(folder_ / "b.jpg", whole);
  ASSERT_EQ(Run("make --fps 2 " + Quote(folder_ / "clip.avi") + " " + Quote(folder_ / "a.jpg") +
                " " + Quote(folder_ / "b.jpg"))
                .exit_code,
            0);
  const auto extract =
      Run("extract " + Quote(folder_ / "clip.avi") + " " + Quote(folder_ / "frames"));
  ASSERT_EQ(extract.exit_code, 0) << extract.err;
  const std::vector<std::uint8_t> first = testing::ReadFile(folder_ / "frames/frame00001.jpg");
  ASSERT_EQ(first.size(), camera.size() + 420);
  EXPECT_TRUE(std::equal(camera.begin(), camera.begin() + 156, first.begin()));
  EXPECT_EQ(first[156], 0xFF);
  EXPECT_EQ(first[157], 0xC4);
  EXPECT_TRUE(std::equal(camera.begin() + 156, camera.end(), first.begin() + 156 + 420));
  EXPECT_EQ(testing::ReadFile(folder_ / "frames/frame00002.jpg"), whole);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "frames/sound.wav"));
}

TEST_F(OrsaAviToolTest, LongRunsReportProgress) {
  const auto make = Run("make --fps 25" + WriteClipInputs(folder_, 120, 0));
  ASSERT_EQ(make.exit_code, 0) << make.err;
  EXPECT_NE(make.err.find("orsa-avi: queued frame 100 of 120"), std::string::npos) << make.err;
  EXPECT_NE(make.err.find("orsa-avi: queued frame 120 of 120"), std::string::npos) << make.err;
  const auto extract =
      Run("extract " + Quote(folder_ / "clip.avi") + " " + Quote(folder_ / "frames"));
  ASSERT_EQ(extract.exit_code, 0);
  EXPECT_NE(extract.err.find("orsa-avi: extracted frame 100 of 120"), std::string::npos)
      << extract.err;
  EXPECT_TRUE(std::filesystem::exists(folder_ / "frames/frame00120.jpg"));
}

}  // namespace
}  // namespace clip
