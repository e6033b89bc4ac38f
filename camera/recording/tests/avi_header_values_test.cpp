// The header values that close computes from the clip's length in seconds
// and the chunks it holds.
#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/temp_handheld.h"
#include "recording/avi_writer.h"
#include "recording_testing/file_bytes.h"
#include "recording_testing/recorded_clip.h"

namespace recording {
namespace {

using testing::ClipPlan;
using testing::Le32At;
using testing::Pattern;
using testing::ReadHandheldFile;
using testing::RecordClip;

constexpr char kHeaderClip[] = "\\m0002.avi";
// Offsets inside the file.
constexpr std::size_t kMainHeader = 32;
constexpr std::size_t kVideoHeader = 108;
constexpr std::size_t kAudioHeader = 240;  // with a video stream before it

struct Headers {
  std::uint32_t micro_sec_per_frame, flags, total_frames, streams, width, height;
  std::uint32_t video_scale, video_rate, video_length;
  std::uint32_t audio_rate, audio_length;
};

Headers ReadHeaders(const std::vector<std::uint8_t>& file) {
  return {Le32At(file, kMainHeader),       Le32At(file, kMainHeader + 12),
          Le32At(file, kMainHeader + 16),  Le32At(file, kMainHeader + 24),
          Le32At(file, kMainHeader + 32),  Le32At(file, kMainHeader + 36),
          Le32At(file, kVideoHeader + 20), Le32At(file, kVideoHeader + 24),
          Le32At(file, kVideoHeader + 32), Le32At(file, kAudioHeader + 24),
          Le32At(file, kAudioHeader + 32)};
}

ClipPlan Plan(int frames, int audio_blocks, DWORD seconds, bool audio_stream) {
  ClipPlan plan;
  plan.audio = audio_stream;
  plan.duration_seconds = seconds;
  for (int i = 0; i < std::max(frames, audio_blocks); ++i) {
    if (i < frames) plan.items.push_back({kQueueVideo, Pattern(40 + i, i)});
    if (i < audio_blocks) plan.items.push_back({kQueueAudio, Pattern(kAudioBlockBytes, i)});
  }
  return plan;
}

class AviHeaderValuesTest : public ::testing::Test {
 protected:
  Headers Record(const ClipPlan& plan) {
    RecordClip(kHeaderClip, plan);
    return ReadHeaders(ReadHandheldFile(kHeaderClip));
  }
  platform::testing::TempHandheld handheld_;
};

TEST_F(AviHeaderValuesTest, TenSecondsOfEightyFramesGiveEightFramesPerSecond) {
  const Headers h = Record(Plan(80, 0, 10, false));
  EXPECT_EQ(h.micro_sec_per_frame, 125'000u);
  EXPECT_EQ(h.video_scale, 1'000'000u);
  EXPECT_EQ(h.video_rate, 8'000'000u);
  EXPECT_EQ(h.video_length, 80u);
  EXPECT_EQ(h.total_frames, 80u);
  EXPECT_EQ(h.streams, 1u);
  EXPECT_EQ(h.flags & 0x810u, 0x810u);
  EXPECT_EQ(h.width, 320u);
  EXPECT_EQ(h.height, 240u);
}

TEST_F(AviHeaderValuesTest, RatesAreTruncatedFromTheMeasuredLength) {
  const Headers h = Record(Plan(30, 0, 2, false));
  EXPECT_EQ(h.micro_sec_per_frame, 66'666u);  // 1,000,000 / 30 * 2
  EXPECT_EQ(h.video_rate, 15'000'000u);       // 1,000,000 / 2 * 30
}

TEST_F(AviHeaderValuesTest, AudioRateAssumes1280BytesPerChunk) {
  const Headers h = Record(Plan(80, 25, 10, true));
  EXPECT_EQ(h.streams, 2u);
  EXPECT_EQ(h.audio_rate, 25u * 1280 / 10);
  EXPECT_EQ(h.audio_length, 25u * 1280 / 2) << "samples of 2 bytes";
  EXPECT_EQ(h.video_rate, 8'000'000u);
}

TEST_F(AviHeaderValuesTest, ALengthInMillisecondsGivesTheRatesOfThatLength) {
  // 140 frames and 70 blocks of sound over 5.6 s: 25 frames and 16,000
  // bytes a second, as they were recorded; whole seconds would say 28 and
  // 17,920, and the picture would end 0.6 s before the sound.
  ClipPlan plan = Plan(140, 70, 5, true);
  plan.duration_ms = 5'600;
  const Headers h = Record(plan);
  EXPECT_EQ(h.micro_sec_per_frame, 40'000u);
  EXPECT_EQ(h.video_rate, 25'000'000u);
  EXPECT_EQ(h.audio_rate, 16'000u);
}

TEST_F(AviHeaderValuesTest, ClipWithoutFramesKeepsTheStartingFrameTimeAndRate) {
  const Headers h = Record(Plan(0, 12, 3, true));
  EXPECT_EQ(h.total_frames, 0u);
  EXPECT_EQ(h.video_length, 0u);
  EXPECT_EQ(h.micro_sec_per_frame, 125'000u);
  EXPECT_EQ(h.video_rate, 8'000'000u);
  EXPECT_EQ(h.width, 0u) << "no frame, but sound";
  EXPECT_EQ(h.height, 0u);
  EXPECT_EQ(h.audio_rate, 12u * 1280 / 3);
}

TEST_F(AviHeaderValuesTest, EmptyVideoOnlyClipKeepsItsFrameSize) {
  const Headers h = Record(Plan(0, 0, 1, false));
  EXPECT_EQ(h.micro_sec_per_frame, 125'000u);
  EXPECT_EQ(h.width, 320u);
  EXPECT_EQ(h.height, 240u);
}

TEST_F(AviHeaderValuesTest, DurationBelowOneSecondCountsAsOne) {
  const Headers h = Record(Plan(8, 0, 0, false));
  EXPECT_EQ(h.micro_sec_per_frame, 125'000u);
  EXPECT_EQ(h.video_rate, 8'000'000u);
}

TEST_F(AviHeaderValuesTest, MainHeaderKeepsTheFlagsItWasCreatedWith) {
  std::unique_ptr<AviWriter> writer = AviWriter::Create(kHeaderClip, 0x100);
  writer->AddVideoStream(MakeFourCc("MJPG"), 160, 120, kVideoRateHint);
  writer->Close();
  const Headers h = ReadHeaders(ReadHandheldFile(kHeaderClip));
  EXPECT_EQ(h.flags, 0x910u);
  EXPECT_EQ(h.width, 160u);
  EXPECT_EQ(h.height, 120u);
}

}  // namespace
}  // namespace recording
