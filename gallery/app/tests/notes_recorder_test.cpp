// The voice-note recorder in the running gallery: the WAVE files it writes
// (checked byte for byte and by sox), the speaker silenced while it
// records, the switch to a new picture mid-recording, closing while
// recording, the input refusing the format and a volume too full for the
// note.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gallery/file_types/voice_note.h"
#include "gallery/options/gallery_options.h"
#include "gallery/options/registry_accessor.h"
#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "platform/audio.h"
#include "platform/common_controls/toolbar.h"
#include "platform/wav_file.h"
#include "view_fixture.h"
#include "voice_notes/recorder_window.h"

namespace gallery {
namespace {

using platform::BYTE;
using platform::DWORD;

constexpr char kFirst[] = "\\My Documents\\a.jpg";
constexpr char kSecond[] = "\\My Documents\\b.jpg";  // current at start (the last listed)
constexpr DWORD kVolume = 0x90009000;

std::uint32_t Le32(const std::vector<BYTE>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

class NotesRecorderTest : public testing::ViewFixture {
 protected:
  NotesRecorderTest() {
    Put(kFirst, testing::SmallJpegFile());
    Put(kSecond, testing::SmallJpegFile());
    platform::WaveOutSetVolume(nullptr, kVolume);
  }
  ~NotesRecorderTest() override {
    platform::audio::SetFormatFilter(nullptr);
    platform::audio::SetInputSignal(platform::audio::Silence());
  }
  void UseAudio(const AudioOptions& audio) {
    GalleryOptions options = OneFolderOptions();
    options.audio = audio;
    options.general.auto_play_voice_note = 0;
    SaveOptions(options);
  }
  void OpenRecorderWindow() {
    platform::SendMessage(MenuBar(), platform::TB_CHECKBUTTON, kButtonVoiceNote, 1);
    platform::PostMessage(Browser(), platform::WM_COMMAND, kButtonVoiceNote, 0);
    Settle();
    ASSERT_TRUE(Recorder());
  }
  static platform::HWND Recorder() { return platform::FindWindow(kRecorderClass, std::nullopt); }
  static void Press(platform::UINT button) {
    platform::PostMessage(Recorder(), platform::WM_COMMAND, button, 0);
  }
  static bool Enabled(platform::UINT button) {
    platform::HWND toolbar = platform::GetDlgItem(Recorder(), kRecorderToolbar);
    return platform::SendMessage(toolbar, platform::TB_ISBUTTONENABLED, button, 0) != 0;
  }
  std::vector<BYTE> HostBytes(const std::string& path) {
    const auto host = handheld().files().HostPath(path);
    std::ifstream in(*host, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static bool Exists(const std::string& path) {
    return platform::GetFileAttributes(path) != platform::INVALID_FILE_ATTRIBUTES;
  }
  // Records for `ms` on the handheld's clock.
  void RecordFor(DWORD ms) {
    Press(kRecorderRecord);
    platform::Sleep(ms);
    Press(kRecorderStop);
    Settle();
  }
};

TEST_F(NotesRecorderTest, ThreeSecondsOfPcmMakeTheExpectedFileAndTheButtonsFollow) {
  UseAudio(AudioOptions{kFormatPcm, 1, 11025, 8});
  const auto gallery = Start(kSecond);
  OpenRecorderWindow();
  EXPECT_TRUE(Enabled(kRecorderRecord));
  EXPECT_FALSE(Enabled(kRecorderPlay));
  EXPECT_FALSE(Enabled(kRecorderDelete));
  EXPECT_FALSE(Enabled(kRecorderStop));
  Press(kRecorderRecord);
  Settle();
  // Silent while it records.
  DWORD volume = 1;
  platform::WaveOutGetVolume(nullptr, &volume);
  EXPECT_EQ(volume, 0u);
  EXPECT_TRUE(Enabled(kRecorderStop));
  EXPECT_FALSE(Enabled(kRecorderRecord));
  platform::Sleep(3000 - 500);
  Press(kRecorderStop);
  Settle();
  platform::WaveOutGetVolume(nullptr, &volume);
  EXPECT_EQ(volume, kVolume);
  const std::vector<BYTE> note = HostBytes(VoiceNotePath(kSecond));
  ASSERT_EQ(note.size(), 46u + 33075u);
  EXPECT_EQ(Le32(note, 4), 38u + 33075u);
  EXPECT_EQ(Le32(note, 16), 18u);
  EXPECT_EQ(Le32(note, 42), 33075u);
  const auto parsed = platform::ParseWav(note);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->format.nSamplesPerSec, 11025u);
  EXPECT_EQ(parsed->format.wBitsPerSample, 8u);
  EXPECT_TRUE(Enabled(kRecorderPlay));
  EXPECT_TRUE(Enabled(kRecorderDelete));
  EXPECT_TRUE(Enabled(kRecorderStop));
  Close(gallery);
  EXPECT_NE(std::find(Gallery().routed.begin(), Gallery().routed.end(),
                      RoutedCommand{GalleryPart::kFolderBrowser, kMessageVoiceNoteRecorded, false}),
            Gallery().routed.end());
}

bool HaveSox() { return std::system("sox --version > /dev/null 2>&1") == 0; }

TEST_F(NotesRecorderTest, AGsmNoteHasItsFortyEightByteHeaderAndSoxHearsTheTone) {
  if (!HaveSox()) GTEST_SKIP() << "sox is not installed";
  constexpr double kHz = 500;
  constexpr double kAmplitude = 10000;
  platform::audio::SetInputSignal(platform::audio::Tone(kHz, kAmplitude));
  UseAudio(kGsmAudio);
  const auto gallery = Start(kSecond);
  OpenRecorderWindow();
  RecordFor(3000);
  const std::vector<BYTE> note = HostBytes(VoiceNotePath(kSecond));
  ASSERT_GT(note.size(), 48u);
  EXPECT_EQ(Le32(note, 16), 20u) << "the GSM 6.10 format record";
  EXPECT_EQ(std::string(note.begin() + 40, note.begin() + 44), "data");
  EXPECT_EQ(Le32(note, 44), note.size() - 48);
  EXPECT_EQ(Le32(note, 4), 40 + note.size() - 48);
  EXPECT_EQ((note.size() - 48) % 65, 0u) << "whole blocks";

  const auto wav = *handheld().files().HostPath(VoiceNotePath(kSecond));
  const std::filesystem::path raw = wav.parent_path() / "note.raw";
  const std::string command =
      "sox '" + wav.string() + "' -t raw -e signed -b 16 -c 1 '" + raw.string() + "' 2> /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(raw, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  std::vector<std::int16_t> decoded(bytes.size() / 2);
  std::memcpy(decoded.data(), bytes.data(), decoded.size() * 2);
  ASSERT_EQ(decoded.size(), (note.size() - 48) / 65 * 320);
  // The tone's phase follows the input's sample count from its start.
  double signal = 0;
  double noise = 0;
  for (std::size_t i = 640; i < decoded.size(); ++i) {
    const double expected = std::round(kAmplitude * std::sin(2 * M_PI * kHz * i / 8000.0));
    signal += expected * expected;
    noise += (decoded[i] - expected) * (decoded[i] - expected);
  }
  const double snr = 10 * std::log10(signal / std::max(noise, 1.0));
  RecordProperty("snr_db", std::to_string(snr));
  EXPECT_GT(snr, 20.0);
  Close(gallery);
}

TEST_F(NotesRecorderTest, ANewPictureWhileRecordingWritesTheOldNoteAndSwitches) {
  UseAudio(AudioOptions{kFormatPcm, 1, 8000, 8});
  const auto gallery = Start(kSecond);
  OpenRecorderWindow();
  Press(kRecorderRecord);
  platform::Sleep(1000);
  platform::PostMessage(Browser(), kMessageMakeCurrent, 0, 0);  // a.jpg
  Settle();
  EXPECT_TRUE(Exists(VoiceNotePath(kSecond)));
  EXPECT_FALSE(Exists(VoiceNotePath(kFirst)));
  // The recorder now serves a.jpg, which has no note yet.
  EXPECT_TRUE(Enabled(kRecorderRecord));
  EXPECT_FALSE(Enabled(kRecorderPlay));
  // Closing while recording writes the note before the window goes.
  Press(kRecorderRecord);
  platform::Sleep(1000);
  Press(kRecorderClose);
  Settle();
  EXPECT_FALSE(Recorder());
  EXPECT_TRUE(Exists(VoiceNotePath(kFirst)));
  EXPECT_FALSE(platform::SendMessage(MenuBar(), platform::TB_ISBUTTONCHECKED, kButtonVoiceNote, 0));
  Close(gallery);
}

TEST_F(NotesRecorderTest, AnInputThatRefusesTheFormatIsReportedAndTheSpeakerComesBack) {
  platform::audio::SetFormatFilter(
      [](bool input, platform::UINT, const platform::WAVEFORMATEX&) { return !input; });
  const auto gallery = Start(kSecond);
  OpenRecorderWindow();
  Press(kRecorderRecord);
  Settle();
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "The sound input does not take this format.");
  EXPECT_EQ(boxes[0].request.caption, "Error");
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONEXCLAMATION);
  DWORD volume = 0;
  platform::WaveOutGetVolume(nullptr, &volume);
  EXPECT_EQ(volume, kVolume);
  EXPECT_TRUE(Enabled(kRecorderRecord));
  Close(gallery);
}

TEST_F(NotesRecorderTest, ANoteTheVolumeCannotHoldIsReportedAndLeavesNoPartOfItself) {
  UseAudio(AudioOptions{kFormatPcm, 1, 11025, 8});
  Put(VoiceNotePath(kSecond), "an earlier note");
  const auto gallery = Start(kSecond);
  OpenRecorderWindow();
  const auto used = handheld().files().VolumeUsedBytes("\\");
  ASSERT_TRUE(used);
  handheld().files().SetVolumeSize("\\", *used + 10000);  // room for about 1 s
  RecordFor(3000);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].request.text.find("b.WAV"), std::string::npos) << boxes[0].request.text;
  const std::vector<BYTE> kept = HostBytes(VoiceNotePath(kSecond));
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "an earlier note");
  EXPECT_FALSE(Exists(VoiceNotePath(kSecond) + "~"));
  Close(gallery);
}

TEST_F(NotesRecorderTest, DeleteAsksThenRemovesTheNoteAndTellsTheBrowser) {
  UseAudio(GalleryOptions{}.audio);
  Put(VoiceNotePath(kSecond), "a note");
  const auto gallery = Start(kSecond);
  OpenRecorderWindow();
  EXPECT_TRUE(Enabled(kRecorderDelete));
  handheld().message_boxes().QueueAnswer(platform::IDNO);
  Press(kRecorderDelete);
  Settle();
  EXPECT_TRUE(Exists(VoiceNotePath(kSecond)));
  handheld().message_boxes().QueueAnswer(platform::IDYES);
  Press(kRecorderDelete);
  Settle();
  EXPECT_FALSE(Exists(VoiceNotePath(kSecond)));
  EXPECT_FALSE(Enabled(kRecorderPlay));
  EXPECT_FALSE(Enabled(kRecorderDelete));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].request.text, "b.WAV");
  EXPECT_EQ(boxes[1].request.caption, "Delete");
  Close(gallery);
  EXPECT_NE(std::find(Gallery().routed.begin(), Gallery().routed.end(),
                      RoutedCommand{GalleryPart::kFolderBrowser, kMessageVoiceNoteDeleted, false}),
            Gallery().routed.end());
}

TEST_F(NotesRecorderTest, TheGripDragsTheWindowWithinItsBand) {
  const auto gallery = Start(kSecond);
  OpenRecorderWindow();
  const platform::HWND grip = platform::GetDlgItem(Recorder(), kRecorderGrip);
  ASSERT_TRUE(grip);
  auto drag_to = [&](int x, int y) {
    platform::SendMessage(
        grip, platform::WM_MOUSEMOVE, platform::MK_LBUTTON,
        platform::MAKELPARAM(static_cast<platform::WORD>(x), static_cast<platform::WORD>(y)));
    platform::RECT rect;
    platform::GetWindowRect(Recorder(), &rect);
    return rect;
  };
  platform::SendMessage(grip, platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, 0);
  platform::POINT origin{0, 0};
  platform::ClientToScreen(grip, &origin);
  // Up by 40: the stylus's place less (7, 11).
  platform::RECT rect = drag_to(-30, -40);
  EXPECT_EQ(rect.left, origin.x - 30 - 7);
  EXPECT_EQ(rect.top, origin.y - 40 - 11);
  EXPECT_EQ(rect.right - rect.left, kRecorderWidth);
  // Never above 180 nor below 268.
  EXPECT_EQ(drag_to(0, -400).top, kRecorderTopmostY);
  EXPECT_EQ(drag_to(0, 400).top, kRecorderY);
  platform::SendMessage(grip, platform::WM_LBUTTONUP, 0, 0);
  // Released: moving no longer drags.
  EXPECT_EQ(drag_to(0, -400).top, kRecorderY);
  Close(gallery);
}

}  // namespace
}  // namespace gallery
