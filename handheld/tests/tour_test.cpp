// The tour (handheld/scripts/tour.txt) on the virtual clock: every step must
// pass, and what it leaves behind (the pictures decoded by the system's JPEG
// library, the clip read by our AVI reader, the notes' wave headers, the
// mail, the printed page and the registry after the reboot) must match the
// summary in golden/tour-summary.txt.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "avi/fields.h"
#include "clip/avi_reader.h"
#include "emulator_fixture.h"
#include "reference_codec.h"

namespace handheld {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  const std::string text = ReadText(path);
  return {text.begin(), text.end()};
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The handheld path of a host file under one of the handheld's volumes.
std::string HandheldPath(const std::string& volume, const fs::path& relative) {
  std::string path = volume;
  for (const fs::path& part : relative) path += "\\" + part.string();
  return path;
}

bool HasExif(const std::vector<std::uint8_t>& jpeg) {
  static constexpr std::uint8_t kExifStart[] = {0xFF, 0xD8, 0xFF, 0xE1};
  static constexpr char kExifName[] = "Exif\0";
  return jpeg.size() > 12 &&
         std::equal(std::begin(kExifStart), std::end(kExifStart), jpeg.begin()) &&
         std::equal(kExifName, kExifName + 5, jpeg.begin() + 6);
}

std::string DescribePicture(const fs::path& file) {
  const std::vector<std::uint8_t> jpeg = ReadBytes(file);
  const codec::testing::Image image = codec::testing::DecodeReference(jpeg);
  std::ostringstream line;
  if (image.width == 0) {
    line << "does not decode";
  } else {
    line << image.width << "x" << image.height;
  }
  line << (HasExif(jpeg) ? " exif" : " no exif");
  return line.str();
}

// The reader opens the clip through the handheld's files.
std::string DescribeClip(const std::string& handheld_path) {
  clip::AviClipPtr clip = clip::AviOpen(handheld_path);
  if (!clip) return "cannot be opened";
  std::ostringstream line;
  line << clip->video_format.biWidth << "x" << clip->video_format.biHeight << " "
       << clip->frame_count() << " frames, " << clip->audio_index.entries.size()
       << " sound chunks of " << clip->audio_format.nSamplesPerSec << " Hz";
  clip::AviClose(std::move(clip));
  return line.str();
}

// The fields of a RIFF WAVE file's "fmt " chunk and the size of its data.
std::string DescribeNote(const fs::path& file) {
  const std::vector<std::uint8_t> wave = ReadBytes(file);
  if (wave.size() < 12 || std::string(wave.begin(), wave.begin() + 4) != "RIFF" ||
      std::string(wave.begin() + 8, wave.begin() + 12) != "WAVE") {
    return "not a RIFF WAVE file";
  }
  std::ostringstream line;
  for (std::size_t at = 12; at + 8 <= wave.size();) {
    const std::string id(wave.begin() + at, wave.begin() + at + 4);
    const std::uint32_t size = avi::Le32(&wave[at + 4]);
    const std::uint8_t* body = &wave[at + 8];
    if (id == "fmt " && size >= 16 && at + 8 + 16 <= wave.size()) {
      line << "format " << avi::Le16(body) << ", " << avi::Le16(body + 2) << " channel(s), "
           << avi::Le32(body + 4) << " Hz, " << avi::Le32(body + 8) << " bytes/s, block "
           << avi::Le16(body + 12) << ", " << avi::Le16(body + 14) << " bits";
    } else if (id == "data") {
      line << (line.tellp() > 0 ? ", " : "") << "data " << (size > 0 ? "present" : "empty");
    }
    at += 8 + size + (size & 1);
  }
  return line.str();
}

std::string DescribeFile(const fs::path& file, const std::string& handheld_path) {
  const std::string extension = Lower(file.extension().string());
  if (extension == ".jpg") return "picture " + DescribePicture(file);
  if (extension == ".avi") return "clip " + DescribeClip(handheld_path);
  if (extension == ".wav") return "note " + DescribeNote(file);
  const std::string text = ReadText(file);
  if (extension == ".eml") {
    return std::string("mail") + (text.find("Content-Type: image/jpeg") != std::string::npos
                                      ? " with a JPEG attached"
                                      : " without a picture");
  }
  if (extension == ".pdf") return text.starts_with("%PDF-") ? "PDF document" : "not a PDF";
  return "file of " + std::to_string(text.size()) + " bytes";
}

// Every file the person has on the handheld, in path order, outside the
// installed programs.
void DescribeVolume(const fs::path& host_folder, const std::string& volume,
                    std::vector<std::string>* lines) {
  if (!fs::exists(host_folder)) return;
  std::vector<fs::path> files;
  for (const auto& item : fs::recursive_directory_iterator(host_folder)) {
    if (item.is_regular_file()) files.push_back(item.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    const fs::path relative = file.lexically_relative(host_folder);
    if (Lower(relative.begin()->string()) == "windows") continue;
    const std::string path = HandheldPath(volume, relative);
    lines->push_back(path + ": " + DescribeFile(file, path));
  }
}

// The registry sections the camera and the gallery keep, as the handheld
// stored them.
void DescribeRegistry(const fs::path& registry_file, std::vector<std::string>* lines) {
  std::istringstream text(ReadText(registry_file));
  bool kept = false;
  for (std::string line; std::getline(text, line);) {
    if (line.starts_with("[")) {
      kept = line.find("\\Kav\\orsacap\\") != std::string::npos ||
             line.find("\\QX\\orsagal") != std::string::npos;
    }
    if (kept && !line.empty()) lines->push_back("registry " + line);
  }
}

platform::SYSTEMTIME TourBootTime() {
  platform::SYSTEMTIME time{};
  time.wYear = 2026;
  time.wMonth = 12;
  time.wDay = 9;
  time.wHour = 9;
  return time;
}

class TourTest : public testing::EmulatorFixture {
 protected:
  TourTest() : EmulatorFixture("orsa-tour") {
    // The demo's own handheld: the boot time fixed so that the dates the
    // programs write stay the same. No device in infrared range: a push
    // here must not reach a receiver another test may have started, and the
    // tour must go on when nobody answers.
    EmulatorOptions options(root_);
    options.boot_time = TourBootTime();
    emulator_.reset();
    emulator_ = std::make_unique<Emulator>(options);
  }
};

TEST_F(TourTest, TheWholeDayRunsAndLeavesWhatTheSummaryExpects) {
  const std::string script = ReadText(ORSA_TOUR_SCRIPT);
  ASSERT_FALSE(script.empty()) << ORSA_TOUR_SCRIPT;
  const testing::ScriptRun run = RunScript(script);
  ASSERT_TRUE(run.valid) << run.err;
  ASSERT_EQ(run.report.failures, 0) << run.err << "\n" << run.out;

  std::vector<std::string> lines;
  DescribeVolume(root_ / "files", "", &lines);
  DescribeVolume(root_ / "storage-card", "\\Storage Card", &lines);
  // The handheld shuts down, so that its registry is stored.
  emulator_.reset();
  DescribeRegistry(root_ / "registry.txt", &lines);
  std::string summary;
  for (const std::string& line : lines) summary += line + "\n";

  const std::string expected = ReadText(fs::path(ORSA_GOLDEN_FOLDER) / "tour-summary.txt");
  EXPECT_EQ(summary, expected) << "the tour left:\n" << summary;
}

}  // namespace
}  // namespace handheld
