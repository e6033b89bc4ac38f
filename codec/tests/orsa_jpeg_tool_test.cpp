// The orsa-jpeg command-line tool run as a person runs it: its PNG against the
// library's own decode, its description of a file, its help, and its exit
// codes and messages for wrong use.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "decode_test_support.h"
#include "test_images.h"

namespace codec::testing {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// `text` in single quotes for the shell.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  quoted.append(text);
  quoted.append("'");
  return quoted;
}

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class OrsaJpegTool : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("orsa_jpeg_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Runs the tool with `arguments` (already quoted where needed).
  ToolRun Tool(const std::string& arguments) {
    const fs::path out = folder_ / "stdout.txt", err = folder_ / "stderr.txt";
    const std::string command = std::string("'") + ORSA_JPEG_TOOL + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "' </dev/null";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadText(out);
    run.err = ReadText(err);
    return run;
  }

  std::string WriteJpeg(const std::string& name, const std::vector<uint8_t>& jpeg) {
    const fs::path path = folder_ / name;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(jpeg.data()),
               static_cast<std::streamsize>(jpeg.size()));
    return Quoted(path.string());
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  fs::path folder_;
};

// An R, G, B picture read from a PNG file; empty when it cannot be read.
Image ReadPng(const std::string& path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return {};
  png.format = PNG_FORMAT_RGB;
  Image image{static_cast<int>(png.width), static_cast<int>(png.height), 3, {}};
  image.samples.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.samples.data(), 0, nullptr)) return {};
  return image;
}

std::vector<uint8_t> Picture(int width, int height, Subsampling subsampling, int restart = 0) {
  EncodeOptions options;
  options.subsampling = subsampling;
  options.restart_interval = restart;
  return EncodeJpeg(MakeScene(width, height), options);
}

void ExpectSameImage(const Image& png, const Image& expected) {
  ASSERT_EQ(png.width, expected.width);
  ASSERT_EQ(png.height, expected.height);
  EXPECT_TRUE(png.samples == expected.samples) << "the PNG differs from the library's decode";
}

TEST_F(OrsaJpegTool, DecodeWritesTheLibrarysPictureIn24Bit) {
  const std::vector<uint8_t> jpeg = Picture(320, 240, Subsampling::k420);
  const ToolRun run =
      Tool("decode --mode 9 " + WriteJpeg("in.jpg", jpeg) + " '" + Path("out.png") + "'");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  ExpectSameImage(ReadPng(Path("out.png")), Decode(jpeg, 9).Rgb());
}

TEST_F(OrsaJpegTool, DecodeWidensRgb565ToEightBitsPerChannel) {
  const std::vector<uint8_t> jpeg = Picture(160, 120, Subsampling::k444);
  const ToolRun run =
      Tool("decode --mode 3 " + WriteJpeg("in.jpg", jpeg) + " '" + Path("out.png") + "'");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const Image png = ReadPng(Path("out.png"));
  ExpectSameImage(png, Decode(jpeg, 3).Rgb());
  // Each channel repeats its top bits below the 5 or 6 it keeps.
  for (size_t i = 0; i < png.samples.size(); i += 3) {
    ASSERT_EQ(png.samples[i] & 7, png.samples[i] >> 5) << i;
    ASSERT_EQ(png.samples[i + 1] & 3, png.samples[i + 1] >> 6) << i;
  }
}

TEST_F(OrsaJpegTool, InfoDescribesTheFile) {
  const ToolRun run = Tool("info " + WriteJpeg("in.jpg", Picture(640, 480, Subsampling::k422, 20)));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("frame:     SOF0 baseline, 8-bit samples"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("size:      640 x 480"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("sampling:  4:2:2"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("DQT 0 (8-bit):"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("DHT:       AC 1, 162 symbols, standard"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("restart:   20 MCUs"), std::string::npos) << run.out;
  // 640 x 480 decodes in every reducing mode; the full-size modes take
  // 160 x 120 pictures only.
  EXPECT_NE(
      run.out.find("results:   1:0 2:0 3:0 4:0 5:0 6:0 7:18 8:0 9:0 10:0 11:0 12:0 13:0 14:18"),
      std::string::npos)
      << run.out;
}

TEST_F(OrsaJpegTool, InfoReportsGreyAndProgressiveResults) {
  EncodeOptions grey;
  const ToolRun grey_run =
      Tool("info " + WriteJpeg("grey.jpg", EncodeJpeg(MakeFlat(160, 120, 90, 0, 0, 1), grey)));
  ASSERT_EQ(grey_run.exit_code, 0) << grey_run.err;
  EXPECT_NE(grey_run.out.find("sampling:  grey"), std::string::npos) << grey_run.out;
  EXPECT_NE(grey_run.out.find(" 9:18"), std::string::npos) << grey_run.out;

  EncodeOptions progressive;
  progressive.progressive = true;
  const ToolRun progressive_run =
      Tool("info " + WriteJpeg("progressive.jpg", EncodeJpeg(MakeScene(160, 120), progressive)));
  ASSERT_EQ(progressive_run.exit_code, 0) << progressive_run.err;
  EXPECT_NE(progressive_run.out.find("SOF2 progressive"), std::string::npos) << progressive_run.out;
  EXPECT_NE(progressive_run.out.find(" 10:11"), std::string::npos) << progressive_run.out;
}

TEST_F(OrsaJpegTool, HelpPrintsUsageOnStandardOutput) {
  for (const char* option : {"--help", "-h"}) {
    const ToolRun run = Tool(option);
    EXPECT_EQ(run.exit_code, 0) << option;
    EXPECT_NE(run.out.find("usage: orsa-jpeg decode --mode N IN.jpg OUT.png"), std::string::npos)
        << option;
    EXPECT_NE(run.out.find("orsa-jpeg info IN.jpg"), std::string::npos) << option;
    EXPECT_EQ(run.err, "") << option;
  }
}

TEST_F(OrsaJpegTool, WrongArgumentsExitTwoWithAMessageOnStandardError) {
  const std::string jpeg = WriteJpeg("in.jpg", Picture(160, 120, Subsampling::k444));
  const std::string png = " '" + Path("out.png") + "'";
  struct Case {
    std::string arguments;
    std::string message;
  };
  const Case cases[] = {
      {"", "usage: orsa-jpeg"},
      {"frobnicate", "orsa-jpeg: unknown command 'frobnicate'"},
      {"decode " + jpeg + png, "decode needs --mode N, an input and an output file"},
      {"decode --mode 9 " + jpeg, "decode needs --mode N, an input and an output file"},
      {"decode --mode 15 " + jpeg + png, "mode 15 is not a decode mode (1-14)"},
      {"decode --mode 0 " + jpeg + png, "mode 0 is not a decode mode (1-14)"},
      {"decode --mode nine " + jpeg + png, "is not a decode mode (1-14)"},
      {"decode --mode 9x " + jpeg + png, "is not a decode mode (1-14)"},
      {"info", "info needs one input file"},
      {"info " + jpeg + " " + jpeg, "info needs one input file"},
  };
  for (const Case& c : cases) {
    const ToolRun run = Tool(c.arguments);
    EXPECT_EQ(run.exit_code, 2) << c.arguments;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
  EXPECT_FALSE(fs::exists(Path("out.png")));
}

TEST_F(OrsaJpegTool, MissingOrUnwritableFilesExitThree) {
  const ToolRun decode =
      Tool("decode --mode 9 '" + Path("missing.jpg") + "' '" + Path("out.png") + "'");
  EXPECT_EQ(decode.exit_code, 3);
  EXPECT_NE(decode.err.find("cannot read"), std::string::npos) << decode.err;
  EXPECT_FALSE(fs::exists(Path("out.png")));

  const ToolRun info = Tool("info '" + Path("missing.jpg") + "'");
  EXPECT_EQ(info.exit_code, 3);
  EXPECT_NE(info.err.find("cannot read"), std::string::npos) << info.err;

  const std::string jpeg = WriteJpeg("in.jpg", Picture(160, 120, Subsampling::k444));
  const ToolRun write =
      Tool("decode --mode 10 " + jpeg + " '" + Path("no/such/folder/out.png") + "'");
  EXPECT_EQ(write.exit_code, 3);
  EXPECT_NE(write.err.find("cannot write"), std::string::npos) << write.err;
}

TEST_F(OrsaJpegTool, RefusedDecodeExitsOneAndWritesNothing) {
  EncodeOptions grey;
  const std::string jpeg = WriteJpeg("grey.jpg", EncodeJpeg(MakeFlat(160, 120, 90, 0, 0, 1), grey));
  const ToolRun run = Tool("decode --mode 9 " + jpeg + " '" + Path("out.png") + "'");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("decode in mode 9 failed with result 18"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(Path("out.png")));
}

}  // namespace
}  // namespace codec::testing
