// Taking pictures with the camera program on the emulator, the simulated
// card and the real driver: the files at each capture type, the hand-over
// to the gallery, help, the mode after the card came back, the settings
// notice, and the card pulled while a picture is taken.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>

#include "camera/session/camera_state.h"
#include "camera_program_window.h"
#include "card_puller.h"
#include "emulator.h"
#include "emulator_fixture.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/menu_bar.h"
#include "platform/menus.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/sd_bus.h"
#include "platform/window.h"
#include "reference_codec.h"

namespace handheld {
namespace {

constexpr platform::UINT kCommandStill = 32839;
constexpr platform::UINT kCommandExit = 32827;

class CameraStillProgramTest : public testing::EmulatorFixture {
 protected:
  CameraStillProgramTest() : EmulatorFixture("orsa-camera-still") {}

  platform::Handheld& handheld() { return emulator_->handheld(); }

  std::string Run(const std::string& text) {
    const testing::ScriptRun run = RunScript(text);
    EXPECT_TRUE(run.valid) << run.err;
    EXPECT_EQ(run.report.failures, 0) << run.err;
    return run.out;
  }

  void StartCamera() {
    Run(std::string("insert-card\nexpect-window Dialog \"") + testing::kCameraCaption +
        "\"\nwait 1000\n");
  }
  void StopCamera() {
    if (handheld().GetService<platform::sd::SdBus>().HasCard()) Run("remove-card\nwait 1500\n");
  }

  void Store(const char* name, platform::DWORD value) {
    handheld().registry().SetDword(platform::HKEY_CURRENT_USER, testing::kCameraSettingKey, name,
                                   value);
  }

  platform::HWND MainDialog() { return platform::FindWindow("Dialog", testing::kCameraCaption); }

  // What the gallery was handed, while it runs: it writes its start path
  // before its window comes up.
  std::optional<std::string> GalleryPath() {
    return handheld().registry().GetString(platform::HKEY_CURRENT_USER, "SOFTWARE\\QX\\orsagal",
                                           "Path");
  }

  // A picture file of the handheld decoded by libjpeg-turbo; empty when it
  // is missing or does not decode.
  codec::testing::Image Decoded(const std::string& path) {
    const std::optional<std::filesystem::path> host = handheld().files().HostPath(path);
    if (!host || !std::filesystem::exists(*host)) return {};
    std::ifstream in(*host, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    return codec::testing::DecodeReference(bytes);
  }

  bool Exists(const std::string& path) {
    const std::optional<std::filesystem::path> host = handheld().files().HostPath(path);
    return host && std::filesystem::exists(*host);
  }

  std::vector<platform::MessageBoxRecord> Boxes() { return handheld().message_boxes().Boxes(); }

  static platform::UINT MenuState(platform::UINT command) {
    return testing::CameraMenuState(command);
  }
};

TEST_F(CameraStillProgramTest, EachCaptureTypeWritesAPictureOfItsSize) {
  struct Case {
    int resolution;
    const char* zoom_keys;
    int width, height;
  };
  // Unzoomed by `resolution`, then zoomed in once and twice.
  const Case cases[] = {{0, "", 1280, 1024},         {1, "", 1280, 960},
                        {2, "", 640, 480},           {3, "", 320, 240},
                        {0, "key app4\n", 640, 480}, {0, "key app4\n", 320, 240}};
  Store("instant review", 0);
  int number = 1;
  for (const Case& c : cases) {
    if (*c.zoom_keys == 0) {
      StopCamera();
      Store("resolution", static_cast<platform::DWORD>(c.resolution));
      StartCamera();
    }
    Run(std::string(c.zoom_keys) + "wait 1000\nkey action\nwait 1500\n");
    char name[32];
    std::snprintf(name, sizeof name, "snap%04d.jpg", number++);
    const codec::testing::Image picture = Decoded(std::string(testing::kCameraPictures) + name);
    EXPECT_EQ(picture.width, c.width) << name;
    EXPECT_EQ(picture.height, c.height) << name;
  }
}

TEST_F(CameraStillProgramTest, PlayHandsTheLastPictureToTheGalleryAndTheCameraEnds) {
  Store("instant review", 0);
  StartCamera();
  Run("key action\nwait 1000\ntap 174 220\nwait 1000\n");  // the Shutter button
  ASSERT_TRUE(Exists(std::string(testing::kCameraPictures) + "snap0002.jpg"));
  Run("tap 116 242\nexpect-window TovrinReview\n");  // the Play button
  EXPECT_EQ(MainDialog(), nullptr);
  EXPECT_EQ(GalleryPath(), std::string(testing::kCameraPictures) + "snap0002.jpg");
}

TEST_F(CameraStillProgramTest, PlayRightAfterTheStartGivesNoCommandLine) {
  StartCamera();
  Run("key app2\nexpect-window TovrinReview\n");
  EXPECT_EQ(MainDialog(), nullptr);
  EXPECT_EQ(GalleryPath(), std::nullopt);
}

TEST_F(CameraStillProgramTest, WithoutAGalleryPlaySaysSoAndTheCameraStays) {
  {
    platform::InstallerAccess access;
    handheld().files().DeleteFile("\\windows\\orsagal.exe");
  }
  StartCamera();
  Run("tap 116 242\nwait 1000\n");
  ASSERT_NE(MainDialog(), nullptr);
  const auto boxes = Boxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().request.text, "ERROR::\n Run orsagal.exe faile!");
  EXPECT_EQ(boxes.back().request.caption, testing::kCameraCaption);
}

TEST_F(CameraStillProgramTest, HelpStartsTheViewerOnTheCamerasPage) {
  // The handheld's own help program titles its window with its command line.
  StartCamera();
  platform::PostMessage(MainDialog(), platform::WM_HELP, 0, 0);
  // The help program starts on the camera thread: let it run first.
  Run("wait 500\nexpect-window HelpViewer \"file:Quillon Mobile Camera Help.htm\"\n");
}

TEST_F(CameraStillProgramTest, StillIsCheckedAtEveryStartAlsoAfterVideo) {
  StartCamera();
  EXPECT_TRUE(MenuState(kCommandStill) & platform::MF_CHECKED);
  platform::PostMessage(MainDialog(), platform::WM_COMMAND, testing::kCameraCommandVideo, 0);
  Run("wait 300\n");
  ASSERT_TRUE(MenuState(testing::kCameraCommandVideo) & platform::MF_CHECKED);
  StopCamera();
  StartCamera();
  EXPECT_TRUE(MenuState(kCommandStill) & platform::MF_CHECKED);
  EXPECT_FALSE(MenuState(testing::kCameraCommandVideo) & platform::MF_CHECKED);
}

TEST_F(CameraStillProgramTest, SettingsResetAtLoadAreToldOnce) {
  Store("awb", 99);
  StartCamera();
  std::vector<platform::MessageBoxRecord> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].request.text.find("awb"), std::string::npos);
  EXPECT_EQ(boxes[0].request.caption, testing::kCameraCaption);
  StopCamera();
  StartCamera();
  EXPECT_EQ(Boxes().size(), 1u) << "the default was stored: nothing more to say";
}

TEST_F(CameraStillProgramTest, TheCardPulledDuringACaptureLeavesNoHalfPicture) {
  Store("instant review", 1);
  Store("resolution", 0);
  StartCamera();
  const std::string picture = std::string(testing::kCameraPictures) + "snap0001.jpg";
  {
    testing::CardPullerAtFile puller(handheld(), picture);
    Run("key action\nwait 3000\n");
  }
  // The capture runs out its failing transfers first; it must not hang.
  for (int i = 0; i < 10 && MainDialog(); ++i) Run("wait 3000\n");
  EXPECT_EQ(MainDialog(), nullptr) << "the card's removal ends the camera";
  if (Exists(picture)) {
    // The card left after the picture was out of the module.
    const codec::testing::Image kept = Decoded(picture);
    EXPECT_EQ(kept.width, 1280) << "a picture that is kept is whole";
    EXPECT_EQ(kept.height, 1024);
  } else {
    const auto boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.back().request.text.find("could not be written whole"), std::string::npos);
  }
}

TEST_F(CameraStillProgramTest, KeysAndTapsDuringACaptureAreDropped) {
  Store("instant review", 1);
  Store("resolution", 1);
  StartCamera();
  Run("key action\n");
  ASSERT_TRUE(camera::Camera().capturing) << "the 1280x960 capture is still under way";
  // App 1 (the settings sheet), the Zoom In button, and a tap on the
  // preview, which once the review shows would ask to delete the picture.
  Run("key app1\ntap 143 203\ntap 120 90\nwait 3000\n");
  const codec::testing::Image picture =
      Decoded(std::string(testing::kCameraPictures) + "snap0001.jpg");
  EXPECT_EQ(picture.width, 1280);
  EXPECT_TRUE(Boxes().empty()) << Boxes().front().request.text;
  EXPECT_EQ(platform::GetForegroundWindow(), MainDialog()) << "no settings sheet";
  EXPECT_EQ(camera::Camera().zoom_level, 0u);
  // Once the capture is over the same key acts.
  Run("key app1\nwait 400\n");
  EXPECT_NE(platform::GetForegroundWindow(), MainDialog());
}

TEST_F(CameraStillProgramTest, TheSnapSoundPlaysOnlyWithSoundRecordingOn) {
  // The driver plays the camera's "SNAP" resource as the shutter closes.
  Store("instant review", 0);
  Store("camera sound", 1);
  Store("recordwithaudio", 1);
  StartCamera();
  Run("key action\nexpect-sound SNAP\n");
  StopCamera();

  Store("recordwithaudio", 0);
  StartCamera();
  const std::size_t before = platform::audio::PlayedSounds().size();
  Run("key action\nwait 2000\n");
  ASSERT_TRUE(Exists(std::string(testing::kCameraPictures) + "snap0002.jpg"));
  const std::vector<platform::audio::PlayedSound> sounds = platform::audio::PlayedSounds();
  for (std::size_t i = before; i < sounds.size(); ++i) EXPECT_NE(sounds[i].name, "SNAP");
}

TEST_F(CameraStillProgramTest, AGermanHandheldShowsTheGermanMenu) {
  for (const auto& [locale, exit_text] :
       {std::pair<platform::DWORD, const char*>{0x0407, "Beenden"}, {0x0409, "Exit"}}) {
    StopCamera();
    emulator_.reset();
    EmulatorOptions options{root_};
    options.locale_id = locale;
    emulator_ = std::make_unique<Emulator>(options);
    // The caption is the language's own.
    Run("insert-card\nexpect-window Dialog\nwait 1000\n");
    platform::HWND bar = platform::SHFindMenuBar(platform::FindWindow("Dialog", std::nullopt));
    ASSERT_NE(bar, nullptr);
    auto menu = reinterpret_cast<platform::HMENU>(
        platform::SendMessage(bar, platform::SHCMBM_GETMENU, 0, 0));
    EXPECT_EQ(platform::GetMenuString(menu, kCommandExit, platform::MF_BYCOMMAND), exit_text)
        << std::hex << locale;
  }
}

}  // namespace
}  // namespace handheld
