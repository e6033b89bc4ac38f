// Clips made by orsa-avi as other programs see them: ffprobe and ffmpeg read
// and decode them, libjpeg opens the extracted frames and sox the extracted
// sound.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "clip_files.h"
#include "recording_testing/file_bytes.h"
#include "reference_codec.h"
#include "test_images.h"

namespace clip {
namespace {

using recording::testing::Le32At;
using testing::HostFolder;
using testing::Quote;
using testing::RunCommand;
using testing::Tool;
using testing::WriteClipInputs;

using Stream = std::map<std::string, std::string>;

// The [STREAM] blocks of ffprobe's default output as key/value maps.
std::vector<Stream> ParseStreams(const std::string& text) {
  std::vector<Stream> streams;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line == "[STREAM]") {
      streams.emplace_back();
    } else if (const auto eq = line.find('='); eq != std::string::npos && !streams.empty()) {
      streams.back()[line.substr(0, eq)] = line.substr(eq + 1);
    }
  }
  return streams;
}

double Fraction(const std::string& text) {
  const auto slash = text.find('/');
  if (slash == std::string::npos) return std::stod(text);
  return std::stod(text.substr(0, slash)) / std::stod(text.substr(slash + 1));
}

class ClipPeersTest : public ::testing::Test {
 protected:
  void Require(const std::string& program) {
    if (!testing::HaveProgram(program)) GTEST_SKIP() << program << " is not installed";
  }
  testing::CommandResult Run(const std::string& command) { return RunCommand(command, folder_); }
  void MakeClip(const std::string& fps, int frames, std::size_t sound_bytes) {
    const auto make =
        Run(Tool() + " make --fps " + fps + WriteClipInputs(folder_, frames, sound_bytes));
    ASSERT_EQ(make.exit_code, 0) << make.err;
  }
  std::string Clip() const { return Quote(folder_ / "clip.avi"); }

  HostFolder folder_;
};

TEST_F(ClipPeersTest, FfprobeSeesTheStreamsFramesAndRateTheWriterComputed) {
  Require("ffprobe");
  // 25 frames asked at 12 per second last 2 s: the writer measures 12.5.
  MakeClip("12", 25, 2 * 16000);
  const std::vector<std::uint8_t> file = testing::ReadFile(folder_ / "clip.avi");
  const std::uint32_t streams = Le32At(file, 32 + 24);
  const std::uint32_t frames = Le32At(file, 32 + 16);
  const double rate = static_cast<double>(Le32At(file, 108 + 24)) / Le32At(file, 108 + 20);
  ASSERT_EQ(rate, 12.5);

  const auto probe =
      Run("ffprobe -v error -count_frames -count_packets -show_entries "
          "stream=codec_type,codec_name,width,height,r_frame_rate,avg_frame_rate,nb_read_frames,"
          "nb_read_packets,sample_rate,channels,bits_per_sample " +
          Clip());
  ASSERT_EQ(probe.exit_code, 0) << probe.err;
  EXPECT_EQ(probe.err, "");
  const std::vector<Stream> found = ParseStreams(probe.out);
  ASSERT_EQ(found.size(), streams) << probe.out;
  Stream video = found[0], audio = found[1];
  EXPECT_EQ(video["codec_type"], "video");
  EXPECT_EQ(video["codec_name"], "mjpeg");
  EXPECT_EQ(video["width"], "320");
  EXPECT_EQ(video["height"], "240");
  EXPECT_EQ(video["nb_read_frames"], std::to_string(frames));
  EXPECT_DOUBLE_EQ(Fraction(video["r_frame_rate"]), rate);
  EXPECT_DOUBLE_EQ(Fraction(video["avg_frame_rate"]), rate);
  EXPECT_EQ(audio["codec_type"], "audio");
  EXPECT_EQ(audio["codec_name"], "pcm_s16le");
  EXPECT_EQ(audio["sample_rate"], "8000");
  EXPECT_EQ(audio["channels"], "1");
  EXPECT_EQ(audio["nb_read_packets"], "25") << "one per 1,280-byte block";
}

TEST_F(ClipPeersTest, FfmpegDecodesEveryFrameAndSoundBlockWithoutAnError) {
  Require("ffmpeg");
  MakeClip("10", 20, 2 * 16000);
  const auto decode = Run("ffmpeg -nostdin -v error -i " + Clip() + " -f null -");
  EXPECT_EQ(decode.exit_code, 0);
  EXPECT_EQ(decode.err, "");

  // One line per decoded frame of each stream.
  const auto frames = Run("ffmpeg -nostdin -v error -i " + Clip() + " -f framemd5 -");
  ASSERT_EQ(frames.exit_code, 0) << frames.err;
  int video = 0, samples = 0;
  std::istringstream in(frames.out);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("0,", 0) == 0) ++video;
    if (line.rfind("1,", 0) == 0) {
      // stream, dts, pts, duration, size, hash
      std::vector<std::string> fields;
      std::istringstream parts(line);
      for (std::string field; std::getline(parts, field, ',');) fields.push_back(field);
      ASSERT_GE(fields.size(), 5u) << line;
      samples += std::stoi(fields[4]) / 2;
    }
  }
  EXPECT_EQ(video, 20);
  EXPECT_EQ(samples, 2 * 8000);
}

TEST_F(ClipPeersTest, ExtractedFramesOpenInLibjpegAndTheSoundInSox) {
  Require("sox");
  Require("soxi");
  MakeClip("10", 10, 16000 + 600);  // the last of 13 blocks is filled with silence
  const auto extract = Run(Tool() + " extract " + Clip() + " " + Quote(folder_ / "out"));
  ASSERT_EQ(extract.exit_code, 0) << extract.err;

  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    char name[32];
    std::snprintf(name, sizeof name, "out/frame%05d.jpg", i + 1);
    const codec::testing::Image decoded =
        codec::testing::DecodeReference(testing::ReadFile(folder_ / name));
    ASSERT_EQ(decoded.width, 320);
    ASSERT_EQ(decoded.height, 240);
    EXPECT_GT(codec::testing::Psnr(decoded, codec::testing::MakeScene(320, 240, i)), 25.0);
  }

  const std::string wav = Quote(folder_ / "out/sound.wav");
  EXPECT_EQ(Run("soxi -r " + wav).out, "8000\n");
  EXPECT_EQ(Run("soxi -c " + wav).out, "1\n");
  EXPECT_EQ(Run("soxi -b " + wav).out, "16\n");
  EXPECT_EQ(Run("soxi -s " + wav).out, std::to_string(13 * 640) + "\n");
  const auto stat = Run("sox " + wav + " -n stat");
  EXPECT_EQ(stat.exit_code, 0) << stat.err;

  const std::vector<std::uint8_t> original = testing::ReadFile(folder_ / "sound.wav");
  const std::vector<std::uint8_t> extracted = testing::ReadFile(folder_ / "out/sound.wav");
  ASSERT_EQ(extracted.size(), 44u + 13 * 1280);
  EXPECT_TRUE(std::equal(original.begin() + 44, original.end(), extracted.begin() + 44));
  EXPECT_TRUE(std::all_of(extracted.begin() + 44 + 16600, extracted.end(),
                          [](std::uint8_t b) { return b == 0; }));
}

}  // namespace
}  // namespace clip
