#include "video_fixture.h"

#include <cstring>
#include <sstream>

#include "camera/settings/camera_settings.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/handheld.h"
#include "preview_scan.h"

namespace camera::testing {

VideoTest::VideoTest()
    : recorder_(ClipRecorderProgram{.enable_capture_commands = [this](bool enabled) {
        command_states_.push_back(enabled);
      }}) {
  CameraSettings& settings = Settings();
  settings.aviresolution = 0;
  settings.recordwithaudio = 1;
  settings.avino = 1;
  settings.folder_in_use = kClipFolder;
  platform::CreateDirectory("\\My Documents");
  platform::CreateDirectory("\\My Documents\\My Pictures");
  platform::audio::SetInputSignal(platform::audio::Tone(kToneHz, kToneAmplitude));
  driver_.frame = UniformScan(320, 240, 0x11, 30, 160, 220);
  EXPECT_TRUE(Open());
  Camera().mode = CameraMode::kVideo;
  recorder_.Attach();
  on_toggle_record_ = [this] { recorder_.Toggle(ToggleSource::kMessage); };
}

VideoTest::~VideoTest() { on_toggle_record_ = nullptr; }

void VideoTest::Record(std::uint64_t ms) {
  recorder_.Toggle(ToggleSource::kShutter);
  Pump(ms);
  recorder_.Toggle(ToggleSource::kShutter);
}

std::vector<platform::MessageBoxRecord> VideoTest::Boxes() const {
  return platform::Handheld::Current().message_boxes().Boxes();
}

bool VideoTest::Exists(const std::string& path) const {
  return platform::GetFileAttributes(path) != platform::INVALID_FILE_ATTRIBUTES;
}

std::string VideoTest::HostFile(const std::string& path) const {
  const auto host = platform::Handheld::Current().files().HostPath(path);
  return clip::testing::Quote(host ? host->string() : std::string());
}

bool VideoTest::HavePeers() const {
  return clip::testing::HaveProgram("ffprobe") && clip::testing::HaveProgram("ffmpeg");
}

std::map<std::string, std::string> VideoTest::Probe(const std::string& path,
                                                    const std::string& stream) {
  const clip::testing::CommandResult probe = clip::testing::RunCommand(
      "ffprobe -v error -count_packets -select_streams " + stream +
          " -show_entries stream=codec_type,codec_name,width,height,nb_frames,nb_read_packets,"
          "r_frame_rate,sample_rate,channels,duration -of default=noprint_wrappers=1 " +
          HostFile(path),
      scratch_);
  EXPECT_EQ(probe.exit_code, 0) << probe.err;
  EXPECT_EQ(probe.err, "");
  std::map<std::string, std::string> values;
  std::istringstream in(probe.out);
  for (std::string line; std::getline(in, line);) {
    if (const auto eq = line.find('='); eq != std::string::npos) {
      values[line.substr(0, eq)] = line.substr(eq + 1);
    }
  }
  return values;
}

std::string VideoTest::DecodeErrors(const std::string& path) {
  const clip::testing::CommandResult decode = clip::testing::RunCommand(
      "ffmpeg -nostdin -v error -i " + HostFile(path) + " -f null -", scratch_);
  EXPECT_EQ(decode.exit_code, 0);
  return decode.err;
}

std::vector<std::int16_t> VideoTest::Sound(const std::string& path) {
  const clip::testing::CommandResult sound = clip::testing::RunCommand(
      "ffmpeg -nostdin -v error -i " + HostFile(path) + " -map 0:a -f s16le -", scratch_);
  EXPECT_EQ(sound.exit_code, 0) << sound.err;
  std::vector<std::int16_t> samples(sound.out.size() / 2);
  std::memcpy(samples.data(), sound.out.data(), samples.size() * 2);
  return samples;
}

}  // namespace camera::testing
