// Reading clips written by the camera's writer: headers, frames and sound
// chunks in order, and seeking by frame number.
#include "clip/avi_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/temp_handheld.h"
#include "recording_testing/recorded_clip.h"

namespace clip {
namespace {

using recording::kAudioBlockBytes;
using recording::kQueueAudio;
using recording::kQueueVideo;
using recording::testing::ClipPlan;
using recording::testing::Pattern;
using recording::testing::RecordClip;

constexpr char kPath[] = "\\m0001.avi";

std::vector<std::uint8_t> ReadFrame(AviClip& clip) {
  std::vector<std::uint8_t> buffer(64 * 1024);
  DWORD size = 0;
  if (AviReadVideoFrame(clip, buffer, &size) != 0) return {};
  buffer.resize(size);
  return buffer;
}

std::vector<std::uint8_t> ReadSound(AviClip& clip) {
  std::vector<std::uint8_t> buffer(64 * 1024);
  DWORD size = 0;
  if (AviReadAudioChunk(clip, buffer, &size) != 0) return {};
  buffer.resize(size);
  return buffer;
}

class AviReaderTest : public ::testing::Test {
 protected:
  // Frames V1..V6 and sound A1..A3 written as V1 V2 A1 V3 V4 V5 A2 A3 V6.
  AviClipPtr OpenInterleavedClip(AviReading reading = AviReading::kFramesAndSound) {
    plan_.audio = true;
    plan_.duration_seconds = 2;
    const DWORD kinds[] = {kQueueVideo, kQueueVideo, kQueueAudio, kQueueVideo, kQueueVideo,
                           kQueueVideo, kQueueAudio, kQueueAudio, kQueueVideo};
    int n = 0;
    for (DWORD kind : kinds) {
      plan_.items.push_back({kind, Pattern(kind == kQueueAudio ? kAudioBlockBytes : 301 + n, n)});
      ++n;
    }
    RecordClip(kPath, plan_);
    return AviOpen(kPath, reading);
  }
  const std::vector<std::uint8_t>& Item(std::size_t i) const { return plan_.items[i].data; }

  platform::testing::TempHandheld handheld_;
  ClipPlan plan_;
};

TEST_F(AviReaderTest, HeadersAndFormatsOfAWrittenClip) {
  AviClipPtr clip = OpenInterleavedClip();
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->main_header.dwTotalFrames, 6u);
  EXPECT_EQ(clip->main_header.dwMicroSecPerFrame, 333'333u);  // 1,000,000 / 6 * 2
  EXPECT_EQ(clip->main_header.dwStreams, 2u);
  EXPECT_EQ(clip->main_header.dwWidth, 320u);
  EXPECT_EQ(clip->main_header.dwHeight, 240u);
  ASSERT_TRUE(clip->has_video);
  ASSERT_TRUE(clip->has_audio);
  EXPECT_EQ(clip->video_header.dwScale, 1'000'000u);
  EXPECT_EQ(clip->video_header.dwRate, 3'000'000u);
  EXPECT_EQ(clip->video_header.dwQuality, 8000u);
  EXPECT_EQ(clip->video_header.rcFrame.right, 320);
  EXPECT_EQ(clip->video_format.biWidth, 320);
  EXPECT_EQ(clip->video_format.biHeight, 240);
  EXPECT_EQ(clip->video_format.biCompression, avi::FourCcValue(avi::kMotionJpegCode));
  EXPECT_EQ(clip->video_format_bytes, 40u);
  EXPECT_EQ(clip->audio_header.dwRate, 3u * 1280 / 2);
  EXPECT_EQ(clip->audio_format.wFormatTag, 1);
  EXPECT_EQ(clip->audio_format.nSamplesPerSec, 8000u);
  EXPECT_EQ(clip->audio_format.nBlockAlign, 2);
  EXPECT_EQ(clip->audio_format_bytes, 18u);
  EXPECT_EQ(clip->frame_count(), 6u);
  EXPECT_EQ(clip->audio_index.entries.size(), 3u);
  AviClose(std::move(clip));
}

TEST_F(AviReaderTest, FramesAndSoundReadBackInOrder) {
  AviClipPtr clip = OpenInterleavedClip();
  ASSERT_NE(clip, nullptr);
  for (std::size_t item : {0, 1, 3, 4, 5, 8}) EXPECT_EQ(ReadFrame(*clip), Item(item)) << item;
  EXPECT_TRUE(ReadFrame(*clip).empty()) << "past the last frame";
  for (std::size_t item : {2, 6, 7}) EXPECT_EQ(ReadSound(*clip), Item(item)) << item;
  EXPECT_TRUE(ReadSound(*clip).empty());
}

TEST_F(AviReaderTest, AClipOpenedForFramesOnlyHasEverythingButItsSound) {
  AviClipPtr clip = OpenInterleavedClip(AviReading::kFramesOnly);
  ASSERT_NE(clip, nullptr);
  EXPECT_TRUE(clip->has_audio) << "the headers and index are all read";
  EXPECT_EQ(clip->audio_index.entries.size(), 3u);
  EXPECT_EQ(clip->main_header.dwTotalFrames, 6u);
  for (std::size_t item : {0, 1, 3, 4, 5, 8}) EXPECT_EQ(ReadFrame(*clip), Item(item)) << item;
  EXPECT_TRUE(ReadSound(*clip).empty()) << "no sound handle was opened";
  EXPECT_EQ(AviSeek(*clip, 2), 0);
  EXPECT_EQ(ReadFrame(*clip), Item(1));
  AviClose(std::move(clip));
}

TEST_F(AviReaderTest, SoundChunksCarryTheNumberOfTheFrameBeforeThem) {
  AviClipPtr clip = OpenInterleavedClip();
  ASSERT_NE(clip, nullptr);
  ASSERT_EQ(clip->audio_index.entries.size(), 3u);
  EXPECT_EQ(clip->audio_index.entries[0].tag, 2u);
  EXPECT_EQ(clip->audio_index.entries[1].tag, 5u);
  EXPECT_EQ(clip->audio_index.entries[2].tag, 5u);
  EXPECT_EQ(clip->video_index.entries[0].tag, 0x10u) << "video entries keep their flags";
}

TEST_F(AviReaderTest, SeekFindsTheFirstSoundWrittenAfterTheFrame) {
  AviClipPtr clip = OpenInterleavedClip();
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(AviSeek(*clip, 2), 0);
  EXPECT_EQ(ReadFrame(*clip), Item(1));
  EXPECT_EQ(ReadSound(*clip), Item(2));

  // No sound follows frame 3 directly: the next is the one after frame 5.
  EXPECT_EQ(AviSeek(*clip, 3), 0);
  EXPECT_EQ(ReadFrame(*clip), Item(3));
  EXPECT_EQ(ReadSound(*clip), Item(6));

  EXPECT_EQ(AviSeek(*clip, 5), 0);
  EXPECT_EQ(ReadFrame(*clip), Item(5));
  EXPECT_EQ(ReadSound(*clip), Item(6));

  EXPECT_EQ(AviSeek(*clip, 6), -1) << "no sound after the last frame";
  EXPECT_EQ(ReadFrame(*clip), Item(8)) << "the video cursor moved all the same";
  EXPECT_TRUE(ReadSound(*clip).empty());

  EXPECT_EQ(AviSeek(*clip, 7), -1) << "beyond the frame count";
  EXPECT_EQ(AviSeek(*clip, 0), 0);
  EXPECT_EQ(ReadFrame(*clip), Item(0));
  EXPECT_EQ(ReadSound(*clip), Item(2));
  EXPECT_EQ(AviSeek(*clip, 1), 0);
  EXPECT_EQ(ReadFrame(*clip), Item(0));
}

TEST_F(AviReaderTest, VideoOnlyClipSeeksByFrameAlone) {
  ClipPlan plan;
  for (int i = 0; i < 4; ++i) plan.items.push_back({kQueueVideo, Pattern(100 + i, i)});
  RecordClip(kPath, plan);
  AviClipPtr clip = AviOpen(kPath);
  ASSERT_NE(clip, nullptr);
  EXPECT_FALSE(clip->has_audio);
  EXPECT_EQ(AviSeek(*clip, 4), 0);
  EXPECT_EQ(ReadFrame(*clip), plan.items[3].data);
  EXPECT_EQ(AviSeek(*clip, 5), -1);
}

TEST_F(AviReaderTest, FrameLargerThanTheBufferIsNotReadAndTheCursorMovesOn) {
  AviClipPtr clip = OpenInterleavedClip();
  ASSERT_NE(clip, nullptr);
  std::vector<std::uint8_t> small(Item(0).size() - 1);
  DWORD size = 99;
  EXPECT_EQ(AviReadVideoFrame(*clip, small, &size), -1);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(ReadFrame(*clip), Item(1));
}

TEST_F(AviReaderTest, MissingFileGivesNoClip) {
  EXPECT_EQ(AviOpen("\\nothing.avi"), nullptr);
  EXPECT_EQ(AviOpen("\\No Folder\\m0001.avi"), nullptr);
}

TEST_F(AviReaderTest, VideoAndSoundReadsDoNotDisturbEachOther) {
  AviClipPtr clip = OpenInterleavedClip();
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(ReadSound(*clip), Item(2));
  EXPECT_EQ(ReadFrame(*clip), Item(0));
  EXPECT_EQ(ReadSound(*clip), Item(6));
  EXPECT_EQ(ReadFrame(*clip), Item(1));
}

}  // namespace
}  // namespace clip
