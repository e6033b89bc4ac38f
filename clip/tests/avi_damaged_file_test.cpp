// Files the writer would not make: the reader keeps what is consistent, never
// reads outside the file or its buffers, and gives a clip without frames
// when nothing is usable.
#include <gtest/gtest.h>

#include <vector>

#include "avi_builder.h"
#include "avi_index.h"
#include "clip/avi_reader.h"
#include "platform/testing/temp_handheld.h"
#include "recording_testing/file_bytes.h"
#include "recording_testing/recorded_clip.h"

namespace clip {
namespace {

using recording::kAudioBlockBytes;
using recording::kQueueAudio;
using recording::kQueueVideo;
using recording::testing::ClipPlan;
using recording::testing::Pattern;
using recording::testing::PutLe32At;
using recording::testing::ReadHandheldFile;
using recording::testing::RecordClip;
using recording::testing::WriteHandheldFile;
using testing::Bytes;
using testing::Chunk;
using testing::Concat;
using testing::Filled;
using testing::Index;
using testing::IndexEntry;
using testing::List;
using testing::MainHeader;
using testing::StreamHeader;

// RIFF AVI with a header list of `streams`, a "movi" list of two 10- and
// 12-byte frames, and an index that points at them.
Bytes SmallClip(std::initializer_list<Bytes> streams,
                const std::vector<IndexEntry>& index = {{"00dc", 0x10, 4, 10},
                                                        {"00dc", 0x10, 22, 12}}) {
  Bytes strls;
  for (const Bytes& stream : streams) strls.insert(strls.end(), stream.begin(), stream.end());
  const Bytes header_list = List("hdrl", {MainHeader(125'000, 2, 160, 120), strls});
  return List("AVI ",
              {header_list,
               List("movi", {Chunk("00dc", Filled(10, 0xA1)), Chunk("00dc", Filled(12, 0xB2))}),
               Index(index)},
              "RIFF");
}

Bytes VideoStreamList(std::size_t format_size = 40) {
  Bytes format = Filled(format_size, 0);
  if (format_size >= 12) {
    format[0] = 40;
    format[4] = 160;
    format[8] = 120;
  }
  return List("strl", {StreamHeader("vids"), Chunk("strf", format)});
}

class AviDamagedFileTest : public ::testing::Test {
 protected:
  // Each file gets its own name: a clip still open keeps its file shared
  // for reading only.
  AviClipPtr Open(const Bytes& file) {
    const std::string path = "\\damaged" + std::to_string(++files_) + ".avi";
    WriteHandheldFile(path, file);
    return AviOpen(path);
  }

  // A clip of the camera's writer: frames V1 V2, sound A1, frame V3.
  Bytes WrittenClip() {
    ClipPlan plan;
    plan.audio = true;
    plan.items = {{kQueueVideo, Pattern(200, 1)},
                  {kQueueVideo, Pattern(201, 2)},
                  {kQueueAudio, Pattern(kAudioBlockBytes, 3)},
                  {kQueueVideo, Pattern(202, 4)}};
    RecordClip("\\written.avi", plan);
    return ReadHandheldFile("\\written.avi");
  }

  platform::testing::TempHandheld handheld_;
  int files_ = 0;
};

TEST_F(AviDamagedFileTest, SyntheticClipReads) {
  AviClipPtr clip = Open(SmallClip({VideoStreamList()}));
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->main_header.dwWidth, 160u);
  EXPECT_EQ(clip->video_format.biWidth, 160);
  ASSERT_EQ(clip->frame_count(), 2u);
  std::vector<std::uint8_t> buffer(12);
  DWORD size = 0;
  ASSERT_EQ(AviReadVideoFrame(*clip, buffer, &size), 0);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(buffer[9], 0xA1);
  ASSERT_EQ(AviReadVideoFrame(*clip, buffer, &size), 0);
  EXPECT_EQ(size, 12u);
  EXPECT_EQ(buffer[11], 0xB2);
}

TEST_F(AviDamagedFileTest, FileThatIsNoAviGivesAClipWithoutFrames) {
  for (const Bytes& file : {Bytes{}, Bytes{'R', 'I', 'F', 'F'}, List("WAVE", {}, "RIFF"),
                            List("AVI ", {}, "RIFX"), List("AVI ", {}, "RIFF", 3)}) {
    AviClipPtr clip = Open(file);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->frame_count(), 0u);
    EXPECT_FALSE(clip->has_video);
    EXPECT_EQ(AviSeek(*clip, 1), 0);
    std::vector<std::uint8_t> buffer(16);
    DWORD size = 0;
    EXPECT_EQ(AviReadVideoFrame(*clip, buffer, &size), -1);
    EXPECT_EQ(AviReadAudioChunk(*clip, buffer, &size), -1);
  }
}

TEST_F(AviDamagedFileTest, StreamListOfUnknownTypeStopsTheParseBeforeTheIndex) {
  Bytes file = WrittenClip();
  ASSERT_EQ(recording::testing::TextAt(file, 240), "auds");
  file[240] = 't';  // "tuds"
  AviClipPtr clip = Open(file);
  ASSERT_NE(clip, nullptr);
  EXPECT_TRUE(clip->has_video) << "the list before it was read";
  EXPECT_FALSE(clip->has_audio);
  EXPECT_EQ(clip->main_header.dwTotalFrames, 3u);
  EXPECT_EQ(clip->frame_count(), 0u);
  EXPECT_TRUE(clip->audio_index.entries.empty());
}

TEST_F(AviDamagedFileTest, TruncatedClipKeepsItsHeadersButHasNoIndex) {
  const Bytes whole = WrittenClip();
  for (std::size_t length : {std::size_t{20}, std::size_t{200}, std::size_t{2048},
                             std::size_t{2300}, whole.size() - 8, whole.size() - 1}) {
    SCOPED_TRACE(length);
    AviClipPtr clip = Open(Bytes(whole.begin(), whole.begin() + length));
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->frame_count(), 0u);
    EXPECT_EQ(clip->has_audio, length >= 2048);
  }
}

TEST_F(AviDamagedFileTest, IndexEntriesOutsideTheFileAreLeftOut) {
  Bytes file = WrittenClip();
  const std::size_t index = 2044 + recording::testing::Le32At(file, 2040) + 8;
  PutLe32At(file, index + 8, 0x7FFFFFF0);        // frame 1: offset far away
  PutLe32At(file, index + 16 + 12, 0xFFFFFFF0);  // frame 2: size past the end
  PutLe32At(file, index + 48 + 8, static_cast<std::uint32_t>(file.size()) - 2044 - 4 - 100);
  PutLe32At(file, index + 48 + 12, 101);  // frame 3 runs past the end
  AviClipPtr clip = Open(file);
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->frame_count(), 0u);
  ASSERT_EQ(clip->audio_index.entries.size(), 1u);
  EXPECT_EQ(clip->audio_index.entries[0].tag, 0u) << "no frame was kept before it";
}

TEST_F(AviDamagedFileTest, RecordsAcrossTheReadWindowAndLongIndexesRead) {
  // The headers are read through a window of the file's first bytes: records
  // ending right at its edge, straddling it or lying beyond it read the same.
  for (std::size_t junk : {std::size_t{3960}, std::size_t{3990}, std::size_t{4001},
                           std::size_t{4100}, std::size_t{9000}}) {
    SCOPED_TRACE(junk);
    AviClipPtr clip = Open(SmallClip({Chunk("JUNK", Filled(junk, 0x55)), VideoStreamList()}));
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->main_header.dwWidth, 160u);
    EXPECT_TRUE(clip->has_video);
    EXPECT_EQ(clip->video_format.biHeight, 120);
    EXPECT_EQ(clip->frame_count(), 2u);
  }
  // An index longer than the window is read past it in one piece.
  std::vector<IndexEntry> index(600, IndexEntry{"ix00", 0, 4, 10});
  index.front() = {"00dc", 0x10, 4, 10};
  index.back() = {"00dc", 0x10, 22, 12};
  AviClipPtr clip = Open(SmallClip({VideoStreamList()}, index));
  ASSERT_NE(clip, nullptr);
  ASSERT_EQ(clip->frame_count(), 2u);
  EXPECT_EQ(clip->video_index.entries[1].size, 12u);
}

TEST_F(AviDamagedFileTest, FormatLargerThanItsStoreIsCutAndTheParseGoesOn) {
  AviClipPtr clip = Open(SmallClip({VideoStreamList(61)}));
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->video_format_bytes, 40u);
  EXPECT_EQ(clip->video_format.biWidth, 160);
  EXPECT_EQ(clip->frame_count(), 2u);

  clip = Open(SmallClip({VideoStreamList(), List("strl", {StreamHeader("auds", 2, 16000),
                                                          Chunk("strf", Filled(300, 7))})}));
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->audio_format_bytes, 18u);
  EXPECT_EQ(clip->audio_format.nChannels, 0x0707);
  EXPECT_EQ(clip->frame_count(), 2u);
}

TEST_F(AviDamagedFileTest, ZeroSizedChunksAndEntriesAreStepped) {
  AviClipPtr clip =
      Open(SmallClip({Chunk("JUNK", {}), List("strl", {StreamHeader("vids"), Chunk("strf", {})})},
                     {{"00dc", 0x10, 4, 0}, {"00dc", 0x10, 4, 10}, {"00dc", 0x10, 22, 12}}));
  ASSERT_NE(clip, nullptr);
  EXPECT_TRUE(clip->has_video);
  EXPECT_EQ(clip->video_format_bytes, 0u);
  EXPECT_EQ(clip->frame_count(), 2u) << "the entry of size 0 is skipped";
}

TEST_F(AviDamagedFileTest, ChunkLargerThanWhatIsLeftStopsTheParse) {
  // A stream header claiming more than its list: the list ends there and the
  // walk goes on.
  AviClipPtr clip = Open(SmallClip({List("strl", {Chunk("strh", Filled(64, 0), 5000)})}));
  ASSERT_NE(clip, nullptr);
  EXPECT_FALSE(clip->has_video);

  // A chunk of the RIFF claiming more than the file: nothing after it.
  const Bytes file =
      List("AVI ", {MainHeader(1, 2, 3, 4), Chunk("JUNK", Filled(16, 0), 0x7FFFFFFF)}, "RIFF");
  clip = Open(file);
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->main_header.dwHeight, 4u);
  EXPECT_EQ(clip->frame_count(), 0u);

  // A RIFF claiming more than the file still reads what the file has.
  Bytes longer = SmallClip({VideoStreamList()});
  PutLe32At(longer, 4, 0xFFFFFFF0);
  clip = Open(longer);
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->frame_count(), 2u);
}

TEST_F(AviDamagedFileTest, IndexWithoutMoviOrAfterAShortMoviGivesNoFrames) {
  const Bytes no_movi =
      List("AVI ", {List("hdrl", {VideoStreamList()}), Index({{"00dc", 0x10, 4, 10}})}, "RIFF");
  AviClipPtr clip = Open(no_movi);
  ASSERT_NE(clip, nullptr);
  EXPECT_TRUE(clip->has_video);
  EXPECT_EQ(clip->frame_count(), 0u);

  const Bytes short_movi = List("AVI ",
                                {List("hdrl", {VideoStreamList()}), List("movi", {Filled(2, 0)}),
                                 Index({{"00dc", 0x10, 4, 2}})},
                                "RIFF");
  clip = Open(short_movi);
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->frame_count(), 0u);
}

TEST_F(AviDamagedFileTest, FormatWithoutStreamHeaderRefusesTheList) {
  AviClipPtr clip =
      Open(SmallClip({List("strl", {Chunk("strf", Filled(40, 1)), StreamHeader("vids")})}));
  ASSERT_NE(clip, nullptr);
  EXPECT_FALSE(clip->has_video);
  EXPECT_EQ(clip->frame_count(), 0u);
}

TEST_F(AviDamagedFileTest, IndexKeepsAtMostItsLimitOfEntries) {
  std::vector<IndexEntry> entries(kMaxIndexEntries + 10, IndexEntry{"00dc", 0x10, 4, 10});
  entries.push_back({"01wb", 0, 22, 12});
  AviClipPtr clip = Open(SmallClip({VideoStreamList()}, entries));
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->frame_count(), kMaxIndexEntries);
  ASSERT_EQ(clip->audio_index.entries.size(), 1u);
  EXPECT_EQ(clip->audio_index.entries[0].tag, kMaxIndexEntries);
}

TEST_F(AviDamagedFileTest, ChunksOfOtherStreamsAreIgnoredAndDbCountsAsVideo) {
  AviClipPtr clip = Open(SmallClip(
      {VideoStreamList()}, {{"00db", 0x10, 4, 10}, {"02tx", 0, 4, 10}, {"00dc", 0x10, 22, 12}}));
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->frame_count(), 2u);
  EXPECT_TRUE(clip->audio_index.entries.empty());
}

}  // namespace
}  // namespace clip
