// The byte layout of clips as the writer leaves them: header list, stream
// lists, JUNK, the "movi" list, padded chunks and the index.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/testing/temp_handheld.h"
#include "recording/avi_stream.h"
#include "recording/avi_writer.h"
#include "recording_testing/file_bytes.h"
#include "recording_testing/recorded_clip.h"

namespace recording {
namespace {

using testing::ClipPlan;
using testing::Le16At;
using testing::Le32At;
using testing::Pattern;
using testing::ReadHandheldFile;
using testing::RecordClip;
using testing::TextAt;

constexpr char kPath[] = "\\m0001.avi";

struct Chunk {
  std::string id;
  std::size_t offset;  // of the chunk header
  std::uint32_t size;
};

// The chunks of the "movi" list, walked by their own sizes.
std::vector<Chunk> WalkMovi(const std::vector<std::uint8_t>& file) {
  std::vector<Chunk> chunks;
  const std::size_t end = 2044 + Le32At(file, 2040);
  for (std::size_t at = 2048; at + 8 <= end && at + 8 <= file.size();) {
    const std::uint32_t size = Le32At(file, at + 4);
    chunks.push_back({TextAt(file, at), at, size});
    at += 8 + size + (size & 1);
  }
  return chunks;
}

int CountInHeaderArea(const std::vector<std::uint8_t>& file, const std::string& text) {
  int count = 0;
  for (std::size_t at = 0; at + text.size() <= std::min<std::size_t>(2048, file.size()); ++at) {
    if (TextAt(file, at, text.size()) == text) ++count;
  }
  return count;
}

class AviLayoutTest : public ::testing::Test {
 protected:
  platform::testing::TempHandheld handheld_;
};

TEST_F(AviLayoutTest, VideoOnlyClipHasOneStreamListAndA200ByteHeaderList) {
  ClipPlan plan;
  plan.items = {{kQueueVideo, Pattern(100, 1)}, {kQueueVideo, Pattern(200, 2)}};
  RecordClip(kPath, plan);
  const std::vector<std::uint8_t> file = ReadHandheldFile(kPath);

  EXPECT_EQ(TextAt(file, 0), "RIFF");
  EXPECT_EQ(Le32At(file, 4), file.size() - 8);
  EXPECT_EQ(TextAt(file, 8), "AVI ");
  EXPECT_EQ(TextAt(file, 12), "LIST");
  EXPECT_EQ(Le32At(file, 16), 200u);
  EXPECT_EQ(TextAt(file, 20), "hdrl");
  EXPECT_EQ(TextAt(file, 24), "avih");
  EXPECT_EQ(Le32At(file, 28), 56u);
  EXPECT_EQ(Le32At(file, 32 + 24), 1u) << "dwStreams";
  EXPECT_EQ(CountInHeaderArea(file, "strl"), 1);
  EXPECT_EQ(TextAt(file, 88), "LIST");
  EXPECT_EQ(Le32At(file, 92), 124u);
  EXPECT_EQ(TextAt(file, 220), "JUNK");
  EXPECT_EQ(Le32At(file, 224), 2028u - 220);
  EXPECT_EQ(TextAt(file, 2036), "LIST");
  EXPECT_EQ(TextAt(file, 2044), "movi");
  EXPECT_EQ(TextAt(file, 2048), "00dc");
}

TEST_F(AviLayoutTest, VideoAndAudioClipHasA310ByteHeaderListAndJunkAt330) {
  ClipPlan plan;
  plan.audio = true;
  plan.items = {{kQueueVideo, Pattern(300, 1)},
                {kQueueAudio, Pattern(kAudioBlockBytes, 2)},
                {kQueueVideo, Pattern(302, 3)},
                {kQueueAudio, Pattern(kAudioBlockBytes, 4)}};
  RecordClip(kPath, plan);
  const std::vector<std::uint8_t> file = ReadHandheldFile(kPath);

  EXPECT_EQ(Le32At(file, 16), 310u);
  EXPECT_EQ(Le32At(file, 32 + 24), 2u) << "dwStreams";
  EXPECT_EQ(CountInHeaderArea(file, "strl"), 2);
  EXPECT_EQ(TextAt(file, 330), "JUNK");
  EXPECT_EQ(Le32At(file, 334), 2028u - 330);
  EXPECT_EQ(TextAt(file, 2036), "LIST");
  EXPECT_EQ(Le32At(file, 2040), file.size() - 8 - 16 * 4 - 2044);
  EXPECT_EQ(TextAt(file, 2044), "movi");

  // Video stream list first.
  EXPECT_EQ(TextAt(file, 100), "strh");
  EXPECT_EQ(Le32At(file, 104), 64u);
  EXPECT_EQ(TextAt(file, 108), "vids");
  EXPECT_EQ(TextAt(file, 112), "MJPG");
  EXPECT_EQ(Le32At(file, 108 + 20), 1'000'000u) << "dwScale";
  EXPECT_EQ(Le32At(file, 108 + 32), 2u) << "dwLength";
  EXPECT_EQ(Le32At(file, 108 + 40), 8000u) << "dwQuality";
  EXPECT_EQ(Le32At(file, 108 + 44), 0u) << "dwSampleSize";
  EXPECT_EQ(Le32At(file, 108 + 56), 320u) << "right";
  EXPECT_EQ(Le32At(file, 108 + 60), 240u) << "bottom";
  EXPECT_EQ(TextAt(file, 172), "strf");
  EXPECT_EQ(Le32At(file, 176), 40u);
  EXPECT_EQ(Le32At(file, 180), 40u) << "biSize";
  EXPECT_EQ(Le32At(file, 184), 320u);
  EXPECT_EQ(Le32At(file, 188), 240u);
  EXPECT_EQ(Le16At(file, 192), 1u) << "biPlanes";
  EXPECT_EQ(Le16At(file, 194), 24u) << "biBitCount";
  EXPECT_EQ(TextAt(file, 196), "MJPG");
  EXPECT_EQ(Le32At(file, 200), 320u * 240) << "biSizeImage";
  EXPECT_EQ(Le32At(file, 208), 0x30006u) << "biYPelsPerMeter";

  // Then the audio stream list.
  EXPECT_EQ(TextAt(file, 220), "LIST");
  EXPECT_EQ(Le32At(file, 224), 18u + 84);
  EXPECT_EQ(TextAt(file, 240), "auds");
  EXPECT_EQ(Le32At(file, 244), 1u) << "fccHandler";
  EXPECT_EQ(Le32At(file, 240 + 20), 2u) << "dwScale";
  EXPECT_EQ(Le32At(file, 240 + 32), 2 * kAudioBlockBytes / 2) << "dwLength";
  EXPECT_EQ(Le32At(file, 240 + 44), 2u) << "dwSampleSize";
  EXPECT_EQ(TextAt(file, 304), "strf");
  EXPECT_EQ(Le32At(file, 308), 18u);
  EXPECT_EQ(Le16At(file, 312), 1u) << "wFormatTag";
  EXPECT_EQ(Le16At(file, 314), 1u) << "nChannels";
  EXPECT_EQ(Le32At(file, 316), 8000u);
  EXPECT_EQ(Le32At(file, 320), 16000u);
  EXPECT_EQ(Le16At(file, 324), 2u) << "nBlockAlign";
  EXPECT_EQ(Le16At(file, 326), 16u);
  EXPECT_EQ(Le16At(file, 328), 0u) << "cbSize";

  const std::vector<Chunk> chunks = WalkMovi(file);
  ASSERT_EQ(chunks.size(), 4u);
  EXPECT_EQ(chunks[0].id, "00dc");
  EXPECT_EQ(chunks[1].id, "01wb");
  EXPECT_EQ(chunks[2].id, "00dc");
  EXPECT_EQ(chunks[3].id, "01wb");
}

TEST_F(AviLayoutTest, OddChunksArePaddedAndTheIndexPointsAtEveryChunk) {
  ClipPlan plan;
  plan.audio = true;
  plan.items = {{kQueueVideo, Pattern(101, 1)},
                {kQueueVideo, Pattern(55, 2)},
                {kQueueAudio, Pattern(kAudioBlockBytes, 3)},
                {kQueueVideo, Pattern(64, 4)}};
  RecordClip(kPath, plan);
  const std::vector<std::uint8_t> file = ReadHandheldFile(kPath);

  const std::vector<Chunk> chunks = WalkMovi(file);
  ASSERT_EQ(chunks.size(), plan.items.size());
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(chunks[i].offset % 2, 0u);
    EXPECT_EQ(chunks[i].size, plan.items[i].data.size());
    EXPECT_TRUE(std::equal(plan.items[i].data.begin(), plan.items[i].data.end(),
                           file.begin() + chunks[i].offset + 8));
  }
  EXPECT_EQ(chunks[0].offset, 2048u);
  EXPECT_EQ(chunks[1].offset, 2048u + 8 + 102);

  const std::size_t index = 2044 + Le32At(file, 2040);
  EXPECT_EQ(index % 2, 0u);
  EXPECT_EQ(TextAt(file, index), "idx1");
  EXPECT_EQ(Le32At(file, index + 4), 16u * chunks.size());
  EXPECT_EQ(index + 8 + 16 * chunks.size(), file.size());
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    SCOPED_TRACE(i);
    const std::size_t entry = index + 8 + 16 * i;
    EXPECT_EQ(TextAt(file, entry), chunks[i].id);
    EXPECT_EQ(Le32At(file, entry + 4), chunks[i].id == "01wb" ? 0u : 0x10u);
    EXPECT_EQ(Le32At(file, entry + 8), chunks[i].offset - 2044);
    EXPECT_EQ(Le32At(file, entry + 12), chunks[i].size);
  }
  EXPECT_EQ(Le32At(file, index + 8 + 8), 4u) << "the first chunk's index offset";
}

TEST_F(AviLayoutTest, StreamListsFollowTheStreamNumbersWhateverOrderTheyCameIn) {
  std::unique_ptr<AviWriter> writer = AviWriter::Create(kPath, 0);
  ASSERT_NE(writer->AddAudioStream(kRecorderWaveFormat, kAudioRateHint), nullptr);
  ASSERT_NE(writer->AddVideoStream(MakeFourCc("MJPG"), 160, 120, kVideoRateHint), nullptr);
  EXPECT_EQ(writer->AddVideoStream(MakeFourCc("MJPG"), 160, 120, kVideoRateHint), nullptr)
      << "a second video stream";
  EXPECT_EQ(writer->AddAudioStream(kRecorderWaveFormat, kAudioRateHint), nullptr)
      << "a second audio stream";
  writer->Close();
  const std::vector<std::uint8_t> file = ReadHandheldFile(kPath);
  EXPECT_EQ(TextAt(file, 108), "auds") << "stream 00 is the audio stream";
  EXPECT_EQ(TextAt(file, 88 + 8 + 84 + 18 + 20), "vids");
}

TEST_F(AviLayoutTest, AudioFormatWithoutWholeBytesPerBlockIsRefused) {
  std::unique_ptr<AviWriter> writer = AviWriter::Create(kPath, 0);
  WaveFormat format = kRecorderWaveFormat;
  format.wBitsPerSample = 4;
  EXPECT_EQ(writer->AddAudioStream(format, kAudioRateHint), nullptr);
}

}  // namespace
}  // namespace recording
