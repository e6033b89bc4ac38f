// Recording clips with the camera program on the emulator, the simulated
// card, the real driver and the null microphone playing a tone: the keys
// and menus while a clip runs, and the clip kept playable when the space
// runs low or the card is pulled in the middle of it.
#include <gtest/gtest.h>

#include <filesystem>

#include "camera_program_window.h"
#include "command_runner.h"
#include "emulator.h"
#include "emulator_fixture.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/menu_bar.h"
#include "platform/menus.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/window.h"

namespace handheld {
namespace {

constexpr char kClip[] = "\\My Documents\\My Pictures\\m0001.avi";
constexpr platform::UINT kCommandPlay = 32830;

class CameraVideoProgramTest : public testing::EmulatorFixture {
 protected:
  CameraVideoProgramTest() : EmulatorFixture("orsa-camera-video") {}

  platform::Handheld& handheld() { return emulator_->handheld(); }

  void Run(const std::string& text) {
    const testing::ScriptRun run = RunScript(text);
    EXPECT_TRUE(run.valid) << run.err;
    EXPECT_EQ(run.report.failures, 0) << run.err << run.out;
  }

  // The camera in Video mode with a tone at the microphone.
  void StartVideo() {
    handheld().registry().SetDword(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey,
                                   "aviresolution", 0);
    Run(std::string("mic tone 440\ninsert-card\nexpect-window Dialog \"") +
        testing::kCameraCaption + "\"\nwait 1000\n");
    platform::PostMessage(MainDialog(), platform::WM_COMMAND, testing::kCameraCommandVideo, 0);
    Run("wait 300\n");
  }

  platform::HWND MainDialog() { return platform::FindWindow("Dialog", testing::kCameraCaption); }

  static platform::UINT MenuState(platform::UINT command) {
    return testing::CameraMenuState(command);
  }

  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const platform::MessageBoxRecord& box : handheld().message_boxes().Boxes()) {
      texts.push_back(box.request.text);
    }
    return texts;
  }

  // What ffmpeg says while decoding the whole clip (nothing when it is
  // whole), and how many video frames ffprobe counts in it.
  std::string DecodeErrors() {
    const auto host = handheld().files().HostPath(kClip);
    if (!host || !std::filesystem::exists(*host)) return "no clip";
    const clip::testing::CommandResult decode = clip::testing::RunCommand(
        "ffmpeg -nostdin -v error -i " + clip::testing::Quote(host->string()) + " -f null -",
        scratch_);
    return decode.exit_code == 0 ? decode.err : "ffmpeg failed: " + decode.err;
  }
  int Frames() {
    const auto host = handheld().files().HostPath(kClip);
    const clip::testing::CommandResult probe = clip::testing::RunCommand(
        "ffprobe -v error -select_streams v:0 -show_entries stream=nb_frames -of csv=p=0 " +
            clip::testing::Quote(host ? host->string() : ""),
        scratch_);
    return probe.out.empty() ? 0 : std::stoi(probe.out);
  }
  bool HavePeers() {
    return clip::testing::HaveProgram("ffprobe") && clip::testing::HaveProgram("ffmpeg");
  }

  clip::testing::HostFolder scratch_;
};

TEST_F(CameraVideoProgramTest, WhileRecordingOnlyTheActionKeyActsAndItStopsTheClip) {
  StartVideo();
  Run("key action\nwait 2000\n");
  EXPECT_TRUE(MenuState(kCommandPlay) & platform::MF_GRAYED);
  EXPECT_TRUE(MenuState(testing::kCameraCommandVideo) & platform::MF_GRAYED);
  const platform::HWND bar = platform::SHFindMenuBar(MainDialog());
  platform::audio::ClearPlayed();
  // Settings sheet, Play, zoom out and zoom in: none of them acts.
  Run("key app1\nwait 200\nkey app2\nwait 200\nkey app3\nwait 200\nkey app4\nwait 200\n");
  EXPECT_EQ(platform::SHFindMenuBar(MainDialog()), bar) << "the settings sheet stayed shut";
  EXPECT_TRUE(platform::audio::PlayedSounds().empty()) << "no zoom";
  EXPECT_TRUE(BoxTexts().empty()) << "no gallery started";
  ASSERT_NE(MainDialog(), nullptr);

  Run("key action\nwait 1500\n");
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{std::string(kClip) + " is saved!"}));
  EXPECT_FALSE(MenuState(kCommandPlay) & platform::MF_GRAYED);
  if (!HavePeers()) GTEST_SKIP() << "ffprobe and ffmpeg are not installed";
  EXPECT_EQ(DecodeErrors(), "");
  EXPECT_GT(Frames(), 20);
}

TEST_F(CameraVideoProgramTest, SpaceRunningLowStopsTheClipAndLeavesItPlayable) {
  StartVideo();
  Run("key action\nwait 3000\ndisk-size \"\\My Documents\" 3000000\nwait 2000\n");
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{std::string(kClip) + " is saved!"}));
  if (!HavePeers()) GTEST_SKIP() << "ffprobe and ffmpeg are not installed";
  EXPECT_EQ(DecodeErrors(), "");
  EXPECT_GT(Frames(), 40);
}

TEST_F(CameraVideoProgramTest, TheCardPulledMidClipLeavesAPlayableClip) {
  StartVideo();
  Run("key action\nwait 3000\nremove-card\nwait 3000\n");
  EXPECT_EQ(MainDialog(), nullptr) << "the card's removal ends the camera";
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{std::string(kClip) + " is saved!"}));
  if (!HavePeers()) GTEST_SKIP() << "ffprobe and ffmpeg are not installed";
  EXPECT_EQ(DecodeErrors(), "");
  EXPECT_GT(Frames(), 40);
}

}  // namespace
}  // namespace handheld
