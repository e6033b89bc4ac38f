// The camera card pulled at each phase of the camera program: preview, the
// still's transfer, the instant review, a clip being recorded and the
// settings sheet open. After each: the pictures taken before are there
// byte for byte, every picture and clip in the folder is whole, no work
// file shows, the settings are as they were (the counters only ever move
// on, past every file written) and, with the card back, the camera takes
// another picture beside the earlier ones.
#include <algorithm>
#include <cstdio>

#include "camera_program_window.h"
#include "card_puller.h"
#include "command_runner.h"
#include "fault_sweep_fixture.h"
#include "platform/window.h"

namespace handheld {
namespace {

constexpr platform::UINT kCommandStill = 32839;

class FaultSweepCameraTest : public testing::FaultSweepFixture {
 protected:
  FaultSweepCameraTest() : FaultSweepFixture("orsa-fault-camera") {}

  static std::string Snap(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "snap%04d.jpg", number);
    return std::string(testing::kCameraPictures) + name;
  }
  static platform::HWND MainDialog() { return testing::CameraMainDialog(); }
  void Store(const char* name, platform::DWORD value) {
    handheld().registry().SetDword(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey, name,
                                   value);
  }
  platform::DWORD Stored(const char* name) {
    return handheld()
        .registry()
        .GetDword(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey, name)
        .value_or(0);
  }

  void StartCamera() {
    Run(std::string("insert-card\nexpect-window Dialog \"") + testing::kCameraCaption +
        "\"\nwait 1000\n");
    ASSERT_NE(MainDialog(), nullptr);
  }

  // The camera with two pictures taken, and what it keeps noted.
  void TakeFirstPictures() {
    Store("instant review", 0);
    Store("resolution", 3);
    StartCamera();
    Run("key action\nwait 1500\nkey action\nwait 1500\n");
    for (int number : {1, 2}) {
      const auto bytes = Contents(Snap(number));
      ASSERT_TRUE(bytes) << Snap(number);
      before_.push_back(*bytes);
    }
    settings_ = Values(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey);
  }

  // The card is out and the camera has ended, however long its way out.
  void ExpectCameraGone() {
    for (int i = 0; i < 10 && MainDialog(); ++i) Run("wait 3000\n");
    EXPECT_EQ(MainDialog(), nullptr) << "the card's removal ends the camera";
  }

  // What ffmpeg says while decoding the whole clip (nothing when it is
  // whole); empty too when ffmpeg is not there.
  std::string ClipErrors(const std::string& path) {
    if (!clip::testing::HaveProgram("ffmpeg")) return {};
    const auto host = handheld().files().HostPath(path);
    const clip::testing::CommandResult decode = clip::testing::RunCommand(
        "ffmpeg -nostdin -v error -i " + clip::testing::Quote(host->string()) + " -f null -",
        scratch_);
    return decode.exit_code == 0 ? decode.err : "ffmpeg failed: " + decode.err;
  }

  bool ClipKept() {
    for (const std::string& name : Names(testing::kCameraPictures)) {
      if (name.ends_with(".avi")) return true;
    }
    return false;
  }

  void ExpectNothingLostOrHalf() {
    for (int number : {1, 2}) {
      EXPECT_EQ(Contents(Snap(number)), before_[number - 1]) << Snap(number);
    }
    ExpectNoWorkFiles(testing::kCameraPictures);
    for (const std::string& name : Names(testing::kCameraPictures)) {
      const std::string path = testing::kCameraPictures + name;
      if (name.ends_with(".jpg")) {
        EXPECT_TRUE(DecodesWhole(path)) << path << " is shown as a picture but is not whole";
      } else if (name.ends_with(".avi")) {
        EXPECT_EQ(ClipErrors(path), "") << path;
      }
    }
  }

  // The settings are those before the fault, but for the counters, which
  // moved on past every file written.
  void ExpectSettingsIntact() {
    auto now = Values(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey);
    auto was = settings_;
    for (const char* counter : {"jpgno", "avino"}) {
      now.erase(counter);
      was.erase(counter);
    }
    EXPECT_EQ(now, was);
    EXPECT_FALSE(Exists(Snap(static_cast<int>(Stored("jpgno")))))
        << "the next picture would overwrite one taken";
    char clip[32];
    std::snprintf(clip, sizeof clip, "m%04d.avi", static_cast<int>(Stored("avino")));
    EXPECT_FALSE(Exists(testing::kCameraPictures + std::string(clip)))
        << "the next clip would overwrite one";
  }

  // With the card back the camera takes a whole picture under a new name.
  void ExpectCameraUsable() {
    const std::vector<std::string> old_names = Names(testing::kCameraPictures);
    StartCamera();
    platform::PostMessage(MainDialog(), platform::WM_COMMAND, kCommandStill, 0);
    Run("wait 500\nkey action\nwait 2000\n");
    std::vector<std::string> new_names;
    for (const std::string& name : Names(testing::kCameraPictures)) {
      if (std::find(old_names.begin(), old_names.end(), name) == old_names.end()) {
        new_names.push_back(name);
      }
    }
    ASSERT_EQ(new_names.size(), 1u) << "one new picture";
    EXPECT_TRUE(DecodesWhole(testing::kCameraPictures + new_names[0]));
    for (int number : {1, 2}) EXPECT_EQ(Contents(Snap(number)), before_[number - 1]);
    Run("remove-card\n");
    ExpectCameraGone();
  }

  void ExpectAllWell() {
    ExpectNothingLostOrHalf();
    ExpectSettingsIntact();
    ExpectCameraUsable();
  }

  std::vector<std::vector<std::uint8_t>> before_;
  std::map<std::string, std::vector<std::uint8_t>> settings_;
  clip::testing::HostFolder scratch_;
};

TEST_F(FaultSweepCameraTest, PulledDuringThePreview) {
  TakeFirstPictures();
  Run("wait 500\nremove-card\n");
  ExpectCameraGone();
  ExpectAllWell();
}

TEST_F(FaultSweepCameraTest, PulledDuringTheStillsTransfer) {
  TakeFirstPictures();
  Run("remove-card\nwait 1500\n");
  Store("resolution", 0);  // the largest picture: the longest transfer
  StartCamera();
  settings_ = Values(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey);
  // The card leaves in the middle of the picture's data.
  const std::string picture = Snap(static_cast<int>(Stored("jpgno")));
  {
    testing::CardPullerAtFile puller(handheld(), picture);
    Run("key action\nwait 3000\n");
  }
  ExpectCameraGone();
  if (!Exists(picture)) {
    EXPECT_FALSE(BoxTexts().empty()) << "the lost picture is told";
  }
  ExpectAllWell();
}

TEST_F(FaultSweepCameraTest, PulledDuringTheReview) {
  TakeFirstPictures();
  Run("remove-card\nwait 1500\n");
  Store("instant review", 2);
  StartCamera();
  settings_ = Values(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey);
  const std::string picture = Snap(static_cast<int>(Stored("jpgno")));
  Run("key action\n");
  for (int i = 0; i < 50 && !Exists(picture); ++i) Run("wait 100\n");
  Run("wait 500\nremove-card\n");
  ExpectCameraGone();
  EXPECT_TRUE(DecodesWhole(picture)) << "the reviewed picture stays";
  ExpectAllWell();
}

TEST_F(FaultSweepCameraTest, PulledWhileRecording) {
  TakeFirstPictures();
  platform::PostMessage(MainDialog(), platform::WM_COMMAND, testing::kCameraCommandVideo, 0);
  Run("mic tone 440\nwait 300\n");
  settings_ = Values(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey);
  Run("key action\nwait 3000\nremove-card\n");
  ExpectCameraGone();
  EXPECT_TRUE(ClipKept()) << "the clip recorded up to the pull is kept";
  ExpectAllWell();
}

TEST_F(FaultSweepCameraTest, VolumeFillingWhileRecording) {
  TakeFirstPictures();
  platform::PostMessage(MainDialog(), platform::WM_COMMAND, testing::kCameraCommandVideo, 0);
  Run("mic tone 440\nwait 300\n");
  settings_ = Values(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey);
  Run("key action\nwait 2000\ndisk-size \"\\My Documents\" 1000000\nwait 3000\n");
  EXPECT_FALSE(BoxTexts().empty()) << "the clip's end is told";
  EXPECT_TRUE(ClipKept()) << "the clip recorded up to the full volume is kept";
  ExpectNothingLostOrHalf();
  ExpectSettingsIntact();
  Run("remove-card\ndisk-size \"\\My Documents\" 20M\n");
  ExpectCameraGone();
  ExpectCameraUsable();
}

TEST_F(FaultSweepCameraTest, PulledWithTheSettingsSheetOpen) {
  TakeFirstPictures();
  Run("key app1\nwait 400\n");
  ASSERT_NE(platform::GetForegroundWindow(), MainDialog()) << "the sheet is in front";
  // The camera ends once the person leaves the sheet (here with OK, which
  // stores the settings as they were).
  Run("remove-card\nwait 1000\ntap 223 13\nwait 1000\n");
  ExpectCameraGone();
  ExpectAllWell();
}

}  // namespace
}  // namespace handheld
