// Recording clips with the stand-in driver and the null microphone on the
// virtual clock, each clip read back by ffprobe and ffmpeg: the streams and
// rates the writer computed, the sound, the empty clip, the small frames,
// the counter, the messages, and the ends a clip can come to (no room at
// the start or during the clip, the size limit, a file that cannot be
// made, a stop asked for twice).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "camera/session/camera_messages.h"
#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/zoom.h"
#include "camera/settings/camera_settings.h"
#include "camera/strings/string_library.h"
#include "platform/files.h"
#include "platform/time.h"
#include "preview_scan.h"
#include "recording/avi_formats.h"
#include "recording_testing/file_bytes.h"
#include "video_fixture.h"

namespace camera::testing {
namespace {

using recording::testing::Le32At;
using recording::testing::ReadHandheldFile;

constexpr char kCaption[] = "Quillon Camera";
constexpr char kSaved[] = " is saved!";
constexpr char kDeleted[] = "Not enough memory, the file has been deleted!";

// Offsets of the header values in a clip with a video stream first.
constexpr std::size_t kMainHeader = 32;
constexpr std::size_t kVideoStreamHeader = 108;
constexpr std::size_t kAudioStreamHeader = 240;  // behind a 40-byte bitmap format

// The amplitude of the clip's sound at the tone's frequency.
double ToneAmplitude(const std::vector<std::int16_t>& samples) {
  double in_phase = 0, quadrature = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double angle = 2 * std::numbers::pi * kToneHz * static_cast<double>(i) / 8000;
    in_phase += samples[i] * std::cos(angle);
    quadrature += samples[i] * std::sin(angle);
  }
  return 2 * std::hypot(in_phase, quadrature) / static_cast<double>(samples.size());
}

class ClipRecorderTest : public VideoTest {};

TEST_F(ClipRecorderTest, ATenSecondClipWithSoundIsWhatPlayersSeeAndTheWriterComputed) {
  if (!HavePeers()) GTEST_SKIP() << "ffprobe and ffmpeg are not installed";
  recorder_.Toggle(ToggleSource::kShutter);
  const std::uint64_t start = platform::clock::NowMs();
  Pump(10'000);
  const double seconds = static_cast<double>(platform::clock::NowMs() - start) / 1000;
  recorder_.Toggle(ToggleSource::kShutter);
  const std::vector<std::uint8_t> file = ReadHandheldFile(Clip(1));
  ASSERT_GT(file.size(), 4'096u);

  const std::uint32_t frames = Le32At(file, kMainHeader + 16);
  EXPECT_EQ(Le32At(file, kMainHeader + 24), 2u) << "two streams";
  EXPECT_NEAR(Le32At(file, kMainHeader), seconds * 1e6 / frames, 1.0);
  const double frame_rate = static_cast<double>(Le32At(file, kVideoStreamHeader + 24)) /
                            Le32At(file, kVideoStreamHeader + 20);
  EXPECT_NEAR(frame_rate, frames / seconds, 0.01);
  EXPECT_GE(frame_rate, 25.0) << "a frame for every tick of the driver";
  EXPECT_LE(frame_rate, 35.0);
  const std::uint32_t audio_chunks = Le32At(file, kAudioStreamHeader + 32) / 640;
  EXPECT_NEAR(audio_chunks, seconds * 16000 / 1280, 1) << "all the sound up to the stop";
  EXPECT_NEAR(Le32At(file, kAudioStreamHeader + 24), audio_chunks * 1280 / seconds, 1.0);
  const double sound_seconds = audio_chunks * 1280 / 16000.0;
  EXPECT_NEAR(sound_seconds, seconds, 0.041) << "picture and sound end together";

  std::map<std::string, std::string> video = Probe(Clip(1), "v:0");
  EXPECT_EQ(video["codec_name"], "mjpeg");
  EXPECT_EQ(video["width"], "320");
  EXPECT_EQ(video["height"], "240");
  EXPECT_EQ(video["nb_frames"], std::to_string(frames));
  EXPECT_NEAR(std::stod(video["duration"]), seconds, 0.01);
  std::map<std::string, std::string> audio = Probe(Clip(1), "a:0");
  EXPECT_EQ(audio["codec_name"], "pcm_s16le");
  EXPECT_EQ(audio["sample_rate"], "8000");
  EXPECT_EQ(audio["channels"], "1");
  EXPECT_EQ(audio["nb_read_packets"], std::to_string(audio_chunks));
  EXPECT_EQ(DecodeErrors(Clip(1)), "");

  std::vector<std::int16_t> sound = Sound(Clip(1));
  ASSERT_GE(sound.size(), 8'000u * 10);
  EXPECT_NEAR(ToneAmplitude(sound), kToneAmplitude, kToneAmplitude * 0.05)
      << "the clip holds the tone the microphone heard";

  const std::vector<platform::MessageBoxRecord> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, Clip(1) + kSaved);
  EXPECT_EQ(boxes[0].request.caption, kCaption);
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONINFORMATION);
  EXPECT_EQ(command_states_, (std::vector<bool>{false, true}));
  EXPECT_EQ(Settings().avino, 2);
}

TEST_F(ClipRecorderTest, WithSoundOffTheClipHasOneStream) {
  if (!HavePeers()) GTEST_SKIP() << "ffprobe and ffmpeg are not installed";
  Settings().recordwithaudio = 0;
  Record(3'200);
  const std::vector<std::uint8_t> file = ReadHandheldFile(Clip(1));
  EXPECT_EQ(Le32At(file, kMainHeader + 24), 1u);
  EXPECT_EQ(Probe(Clip(1), "v:0")["codec_name"], "mjpeg");
  EXPECT_TRUE(Probe(Clip(1), "a:0").empty());
  EXPECT_EQ(DecodeErrors(Clip(1)), "");
}

TEST_F(ClipRecorderTest, AClipStoppedBeforeAnyChunkLeavesNoFileAndSaysSo) {
  Settings().recordwithaudio = 0;
  driver_.frame.clear();  // the driver has nothing to give
  Record(2'000);
  EXPECT_FALSE(Exists(Clip(1)));
  const std::vector<platform::MessageBoxRecord> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, Clip(1) + kDeleted);
  EXPECT_EQ(boxes[0].request.caption, kCaption);
  EXPECT_EQ(Settings().avino, 2) << "the number is used up all the same";
}

TEST_F(ClipRecorderTest, ASmallFrameIsShownButRecordedOnlyInTheSmallStream) {
  Settings().recordwithaudio = 0;
  // Zoomed, the large stream is 4:2:0: a flat grey picture fits in 1,800
  // bytes.
  ASSERT_TRUE(ZoomIn());
  const std::vector<std::uint8_t> scan = UniformScan(320, 240, 0x22, 128, 128, 128);
  ASSERT_LT(scan.size(), 1'800u);
  driver_.frame = PaddedTo(scan, 1'800);
  Pump(100);
  const std::uint64_t paints = Camera().painted.paints;
  Record(2'000);
  EXPECT_GT(Camera().painted.paints, paints + 10) << "shown";
  EXPECT_FALSE(Exists(Clip(1))) << "1,970 bytes with the header: not worth a clip frame";

  ASSERT_TRUE(ZoomOut());
  Settings().aviresolution = 1;
  driver_.frame = PaddedTo(UniformScan(160, 120, 0x11, 128, 128, 128), 1'800);
  RestartPreviewForSettings();
  Record(2'000);
  const std::vector<std::uint8_t> file = ReadHandheldFile(Clip(2));
  EXPECT_GT(Le32At(file, kMainHeader + 16), 30u) << "recorded";
  EXPECT_EQ(Le32At(file, kMainHeader + 32), 160u);
  EXPECT_EQ(Le32At(file, kMainHeader + 36), 120u);
}

TEST_F(ClipRecorderTest, Clip9999IsFollowedByClip1) {
  Settings().avino = 9999;
  Record(1'500);
  EXPECT_TRUE(Exists(Clip(9999)));
  EXPECT_EQ(Settings().avino, 1);
  Record(1'500);
  EXPECT_TRUE(Exists(Clip(1)));
  EXPECT_EQ(Settings().avino, 2);
}

TEST_F(ClipRecorderTest, TheClipLastsTheTimeItWasRecordedAndTheCounterStopsWithIt) {
  // Stops right on a second's end and between two: the clip's length is
  // the time recorded, to the millisecond, and the counter posts nothing
  // once the clip is over.
  int number = 1;
  for (std::uint64_t ms : {1'000u, 2'000u, 2'500u, 3'700u}) {
    SCOPED_TRACE(ms);
    refresh_posts_ = 0;
    recorder_.Toggle(ToggleSource::kShutter);
    const std::uint64_t start = platform::clock::NowMs();
    Pump(ms);
    const auto recorded_ms = static_cast<double>(platform::clock::NowMs() - start);
    EXPECT_GE(recorder_.recorded_seconds(), 0);
    recorder_.Toggle(ToggleSource::kShutter);
    EXPECT_EQ(recorder_.recorded_seconds(), -1);
    Pump(2'000);
    const int whole_seconds = static_cast<int>(recorded_ms / 1000);
    EXPECT_LE(refresh_posts_, whole_seconds) << "a refresh for each second, none after";
    EXPECT_GE(refresh_posts_, whole_seconds - 1);
    const int posts = refresh_posts_;
    Pump(3'000);
    EXPECT_EQ(refresh_posts_, posts) << "the counter ended with the clip";
    const std::vector<std::uint8_t> file = ReadHandheldFile(Clip(number++));
    const double frames = Le32At(file, kMainHeader + 16);
    const double length_ms = Le32At(file, kMainHeader) * frames / 1e3;
    EXPECT_NEAR(length_ms, recorded_ms, 1.0);
  }
}

TEST_F(ClipRecorderTest, RunningLowOnSpaceStopsTheClipAndKeepsItPlayable) {
  if (!HavePeers()) GTEST_SKIP() << "ffprobe and ffmpeg are not installed";
  recorder_.Toggle(ToggleSource::kShutter);
  Pump(3'000);
  SetFreeBytes(3'000'000);
  EXPECT_TRUE(PumpUntil([this] { return !recorder_.recording(); }, 1'000));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.text, Clip(1) + kSaved);
  EXPECT_GT(std::stoi(Probe(Clip(1), "v:0")["nb_frames"]), 60);
  EXPECT_EQ(DecodeErrors(Clip(1)), "");
}

TEST_F(ClipRecorderTest, EveryClipCanBeStoppedForWantOfSpaceNotOnlyTheFirst) {
  for (int clip = 1; clip <= 2; ++clip) {
    SCOPED_TRACE(clip);
    SetFreeBytes(100'000'000);
    recorder_.Toggle(ToggleSource::kShutter);
    ASSERT_TRUE(recorder_.recording());
    Pump(2'000);
    SetFreeBytes(3'000'000);
    EXPECT_TRUE(PumpUntil([this] { return !recorder_.recording(); }, 1'000));
    recorder_.FinishOpenClip();
  }
}

TEST_F(ClipRecorderTest, TheSizeLimitEndsTheClipWithEverythingWrittenBeforeIt) {
  if (!HavePeers()) GTEST_SKIP() << "ffprobe and ffmpeg are not installed";
  Settings().recordwithaudio = 0;
  driver_.frame = PaddedTo(UniformScan(320, 240, 0x11, 30, 160, 220), 70'000);
  recorder_.Toggle(ToggleSource::kShutter);
  ASSERT_TRUE(PumpUntil([this] { return !recorder_.recording(); }, 30'000));
  const std::vector<std::uint8_t> file = ReadHandheldFile(Clip(1));
  EXPECT_LE(file.size(), recording::kClipSizeLimit + 70'200 + 16 * 300);
  const std::uint32_t frames = Le32At(file, kMainHeader + 16);
  EXPECT_EQ(frames, (recording::kClipSizeLimit - 2'048) / (70'170 + 8) + 1);
  EXPECT_EQ(Probe(Clip(1), "v:0")["nb_frames"], std::to_string(frames));
  EXPECT_EQ(DecodeErrors(Clip(1)), "");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.text, Clip(1) + kSaved);
}

TEST_F(ClipRecorderTest, AClipWhoseFileCannotBeMadeIsNotRecordedAndSaysSo) {
  // A folder of the clip's name stands where the file would go.
  ASSERT_TRUE(platform::CreateDirectory(Clip(1)));
  recorder_.Toggle(ToggleSource::kShutter);
  EXPECT_FALSE(recorder_.recording());
  EXPECT_FALSE(Camera().recording);
  Pump(1'000);
  EXPECT_TRUE(platform::GetFileAttributes(Clip(1)) & platform::FILE_ATTRIBUTE_DIRECTORY)
      << "the folder in the way is left alone";
  const std::vector<platform::MessageBoxRecord> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, Clip(1) + kClipNotCreatedText);
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONERROR);
  EXPECT_EQ(boxes[0].request.text.find(kSaved), std::string::npos);
  EXPECT_TRUE(command_states_.empty());
  EXPECT_EQ(Settings().avino, 1);
}

TEST_F(ClipRecorderTest, AFolderInUseRemovedBehindTheCameraGivesWayToItsParent) {
  const std::string trip = std::string(kClipFolder) + "Trip\\";
  ASSERT_TRUE(platform::CreateDirectory(trip.substr(0, trip.size() - 1)));
  Settings().folder_in_use = trip;
  ASSERT_TRUE(platform::RemoveDirectory(trip.substr(0, trip.size() - 1)));
  Record(2'000);
  EXPECT_TRUE(Exists(Clip(1))) << "the clip went to the folder above";
  EXPECT_EQ(Settings().folder_in_use, kClipFolder);
}

TEST_F(ClipRecorderTest, AReadOnlyClipOfTheSameNameIsNeitherReplacedNorDeleted) {
  recording::testing::WriteHandheldFile(Clip(1), std::vector<std::uint8_t>(100, 7));
  ASSERT_TRUE(platform::SetFileAttributes(Clip(1), platform::FILE_ATTRIBUTE_READONLY));
  recorder_.Toggle(ToggleSource::kShutter);
  EXPECT_FALSE(recorder_.recording());
  EXPECT_EQ(ReadHandheldFile(Clip(1)), std::vector<std::uint8_t>(100, 7));
}

TEST_F(ClipRecorderTest, NoRoomOrNoDriverAtTheStartRecordsNothing) {
  SetFreeBytes(4'194'304);
  recorder_.Toggle(ToggleSource::kShutter);
  EXPECT_FALSE(recorder_.recording());
  SetFreeBytes(100'000'000);
  Camera().device.Close();
  recorder_.Toggle(ToggleSource::kShutter);
  EXPECT_FALSE(recorder_.recording());
  const std::vector<platform::MessageBoxRecord> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].request.text, "Not enough space, can not record a video!");
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONSTOP);
  EXPECT_EQ(boxes[1].request.text, "SDIO Connect Error!");
  EXPECT_EQ(boxes[1].request.icon(), platform::MB_ICONINFORMATION);
  EXPECT_EQ(boxes[1].request.caption, kCaption);
  EXPECT_FALSE(Exists(Clip(1)));
}

TEST_F(ClipRecorderTest, AStopRequestStillOnItsWayDoesNotStartANewClip) {
  recorder_.Toggle(ToggleSource::kShutter);
  Pump(1'500);
  // The frame pump asked for the stop (no time left), and the person
  // pressed the shutter before that message was handled.
  Camera().record_stop_requested = true;
  platform::PostMessage(main_window_, WM_CAM_TOGGLE_RECORD, 0, 0);
  recorder_.Toggle(ToggleSource::kShutter);
  Pump(1'000);
  EXPECT_FALSE(recorder_.recording());
  EXPECT_EQ(Settings().avino, 2);
  EXPECT_FALSE(Exists(Clip(2)));
  // The next message starts a clip again.
  platform::PostMessage(main_window_, WM_CAM_TOGGLE_RECORD, 0, 0);
  Pump(10);
  EXPECT_TRUE(recorder_.recording());
}

TEST_F(ClipRecorderTest, ThePaintAsksForTheStopOnceWhenNoTimeIsLeft) {
  recorder_.Toggle(ToggleSource::kShutter);
  Pump(1'000);
  ASSERT_TRUE(Camera().hooks.stop_recording);
  Camera().hooks.stop_recording();
  Camera().hooks.stop_recording();
  Pump(10);
  EXPECT_EQ(toggle_posts_, 1);
  EXPECT_FALSE(recorder_.recording());
}

}  // namespace
}  // namespace camera::testing
