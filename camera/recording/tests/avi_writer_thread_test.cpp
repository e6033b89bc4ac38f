// The writer thread on the virtual clock: its start delay and polls, the
// stop and error flags, the size limit, short writes and a file that could
// not be created.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/files.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "recording/avi_writer.h"
#include "recording_testing/file_bytes.h"
#include "recording_testing/recorded_clip.h"

namespace recording {
namespace {

using testing::Le32At;
using testing::Pattern;
using testing::ReadHandheldFile;
using testing::TextAt;

constexpr char kWriterClip[] = "\\m0003.avi";

class AviWriterThreadTest : public ::testing::Test {
 protected:
  AviWriterThreadTest() { signals_.stopped = platform::CreateEvent(false, false); }

  // A writer with a 320 x 240 video stream and, when asked, sound.
  std::unique_ptr<AviWriter> MakeWriter(bool audio = false, std::string_view path = kWriterClip) {
    std::unique_ptr<AviWriter> writer = AviWriter::Create(path, 0);
    writer->AddVideoStream(MakeFourCc("MJPG"), 320, 240, kVideoRateHint)->SetQuality(kVideoQuality);
    if (audio) writer->AddAudioStream(kRecorderWaveFormat, kAudioRateHint);
    return writer;
  }

  void Queue(AviWriter& writer, DWORD kind, const std::vector<std::uint8_t>& data) {
    ASSERT_EQ(writer.QueueBuffer(kind, data.data(), static_cast<LONG>(data.size())), 0);
  }

  // Sets the stop flag and waits for the thread: the recorder's stop.
  void StopAndWait() {
    signals_.stop = 1;
    ASSERT_EQ(platform::WaitForSingleObject(signals_.stopped, platform::INFINITE),
              platform::WAIT_OBJECT_0);
  }

  platform::FileSystem& files() { return handheld_.handheld().files(); }

  platform::testing::TempHandheld handheld_;
  WriterSignals signals_;
};

TEST_F(AviWriterThreadTest, FirstWriteWaitsOneSecondAfterStart) {
  auto writer = MakeWriter();
  Queue(*writer, kQueueVideo, Pattern(500, 1));
  const DWORD start = platform::GetTickCount();
  ASSERT_EQ(writer->Start(signals_), 0);
  platform::Sleep(999);
  EXPECT_EQ(writer->CurrentPosition(), 2048);
  platform::Sleep(2);
  EXPECT_EQ(writer->CurrentPosition(), 2048 + 8 + 500);
  StopAndWait();
  EXPECT_EQ(platform::GetTickCount() - start, 1050u) << "one more 50 ms look at the stop flag";
}

TEST_F(AviWriterThreadTest, EmptyQueueIsPolledEvery50Milliseconds) {
  auto writer = MakeWriter();
  ASSERT_EQ(writer->Start(signals_), 0);
  platform::Sleep(1010);  // the thread looked at 1,000 ms and found nothing
  Queue(*writer, kQueueVideo, Pattern(64, 1));
  platform::Sleep(39);
  EXPECT_EQ(writer->CurrentPosition(), 2048);
  platform::Sleep(2);
  EXPECT_EQ(writer->CurrentPosition(), 2048 + 8 + 64);
}

TEST_F(AviWriterThreadTest, StopFlagEndsTheThreadOnceTheQueueIsWrittenOut) {
  auto writer = MakeWriter();
  for (int i = 0; i < 3; ++i) Queue(*writer, kQueueVideo, Pattern(100, i));
  signals_.stop = 1;
  const DWORD start = platform::GetTickCount();
  ASSERT_EQ(writer->Start(signals_), 0);
  ASSERT_EQ(platform::WaitForSingleObject(signals_.stopped, platform::INFINITE),
            platform::WAIT_OBJECT_0);
  EXPECT_EQ(platform::GetTickCount() - start, 1000u);
  EXPECT_EQ(writer->CurrentPosition(), 2048 + 3 * 108);
  EXPECT_EQ(signals_.error, 0u);
}

TEST_F(AviWriterThreadTest, ItemsOfUnknownKindOrWithoutTheirStreamAreDropped) {
  auto writer = MakeWriter(/*audio=*/false);
  Queue(*writer, kQueueVideo, Pattern(10, 1));
  Queue(*writer, 7, Pattern(20, 2));
  Queue(*writer, kQueueAudio, Pattern(kAudioBlockBytes, 3));
  Queue(*writer, kQueueVideo, Pattern(30, 4));
  ASSERT_EQ(writer->Start(signals_), 0);
  StopAndWait();
  EXPECT_EQ(writer->CurrentPosition(), 2048 + 18 + 38);
  writer->Close();
  ASSERT_EQ(writer->index().size(), 0u) << "freed at close";
  EXPECT_EQ(writer->main_header().dwTotalFrames, 2u);
}

TEST_F(AviWriterThreadTest, QueueRefusesMissingOrEmptyData) {
  auto writer = MakeWriter();
  const std::vector<std::uint8_t> data = Pattern(16, 1);
  EXPECT_EQ(writer->QueueBuffer(kQueueVideo, nullptr, 16), -1);
  EXPECT_EQ(writer->QueueBuffer(kQueueVideo, data.data(), 0), -1);
  EXPECT_EQ(writer->QueueBuffer(kQueueVideo, data.data(), -4), -1);
  EXPECT_EQ(writer->QueueBuffer(kQueueVideo, data.data(), 16), 0);
  EXPECT_EQ(writer->queue().Size(), 1u);
}

TEST_F(AviWriterThreadTest, ChunkStartingBeyondTheSizeLimitIsRefusedAndTheClipStillCloses) {
  auto writer = MakeWriter();
  // Eight chunks end exactly at the limit; the ninth starts there and is
  // still taken; the tenth would start beyond it.
  constexpr DWORD kChunkData = (kClipSizeLimit - 2048) / 8 - 8;
  for (int i = 0; i < 11; ++i) Queue(*writer, kQueueVideo, Pattern(kChunkData, i));
  ASSERT_EQ(writer->Start(signals_), 0);
  ASSERT_EQ(platform::WaitForSingleObject(signals_.stopped, platform::INFINITE),
            platform::WAIT_OBJECT_0)
      << "the error ends the thread without the stop flag";
  EXPECT_EQ(signals_.error, 1u);
  EXPECT_EQ(writer->CurrentPosition(), static_cast<LONG>(kClipSizeLimit + 8 + kChunkData));
  EXPECT_EQ(writer->queue().Size(), 1u) << "the item after the refused one stays unwritten";
  writer->SetDuration(9);
  writer->Close();

  const std::vector<std::uint8_t> file = ReadHandheldFile(kWriterClip);
  EXPECT_EQ(Le32At(file, 4), file.size() - 8);
  EXPECT_EQ(Le32At(file, 32 + 16), 9u) << "dwTotalFrames";
  const std::size_t index = 2044 + Le32At(file, 2040);
  EXPECT_EQ(index, kClipSizeLimit + 8 + kChunkData);
  EXPECT_EQ(TextAt(file, index), "idx1");
  EXPECT_EQ(Le32At(file, index + 4), 9u * 16);
  EXPECT_EQ(Le32At(file, index + 8 + 8 * 16 + 8), kClipSizeLimit - 2044);
  const std::vector<std::uint8_t> last = Pattern(kChunkData, 8);
  EXPECT_TRUE(std::equal(last.begin(), last.end(), file.begin() + kClipSizeLimit + 8));
}

TEST_F(AviWriterThreadTest, ClipThatCannotBeCreatedRecordsNothingAndReportsMinusOne) {
  auto writer = MakeWriter(false, "\\No Such Folder\\m0001.avi");
  EXPECT_EQ(writer->CurrentPosition(), -1);
  Queue(*writer, kQueueVideo, Pattern(100, 1));
  ASSERT_EQ(writer->Start(signals_), 0);
  StopAndWait();
  EXPECT_EQ(signals_.error, 0u) << "writes fail without a report";
  EXPECT_EQ(writer->CurrentPosition(), -1);
  writer->Close();
  EXPECT_EQ(platform::GetFileAttributes("\\No Such Folder\\m0001.avi"),
            platform::INVALID_FILE_ATTRIBUTES);
}

TEST_F(AviWriterThreadTest, ShortWriteIsRetriedOnceAfter300Milliseconds) {
  auto writer = MakeWriter();
  Queue(*writer, kQueueVideo, Pattern(1000, 1));
  Queue(*writer, kQueueVideo, Pattern(1000, 2));
  // Room for the first chunk, the second one's header and half its data.
  files().SetVolumeSize("\\", *files().VolumeUsedBytes("\\") + 1008 + 8 + 500);
  // Room comes back 100 ms after the short write.
  platform::ThreadHandle helper = platform::CreateThread([this] {
    platform::Sleep(1100);
    files().SetVolumeSize("\\", 0);
    return platform::DWORD{0};
  });
  signals_.stop = 1;
  const DWORD start = platform::GetTickCount();
  ASSERT_EQ(writer->Start(signals_), 0);
  ASSERT_EQ(platform::WaitForSingleObject(signals_.stopped, platform::INFINITE),
            platform::WAIT_OBJECT_0);
  EXPECT_EQ(platform::GetTickCount() - start, 1300u);
  EXPECT_EQ(signals_.error, 0u);
  EXPECT_EQ(writer->CurrentPosition(), 2048 + 2 * 1008);
  writer->Close();
  const std::vector<std::uint8_t> file = ReadHandheldFile(kWriterClip);
  const std::vector<std::uint8_t> second = Pattern(1000, 2);
  EXPECT_TRUE(std::equal(second.begin(), second.end(), file.begin() + 2048 + 1008 + 8));
  platform::WaitForSingleObject(helper, platform::INFINITE);
}

TEST_F(AviWriterThreadTest, SecondShortWriteStopsTheWriterAndLeavesNoPartialChunk) {
  auto writer = MakeWriter();
  Queue(*writer, kQueueVideo, Pattern(1000, 1));
  Queue(*writer, kQueueVideo, Pattern(1000, 2));
  Queue(*writer, kQueueVideo, Pattern(1000, 3));
  files().SetVolumeSize("\\", *files().VolumeUsedBytes("\\") + 1008 + 8 + 500);
  const DWORD start = platform::GetTickCount();
  ASSERT_EQ(writer->Start(signals_), 0);
  ASSERT_EQ(platform::WaitForSingleObject(signals_.stopped, platform::INFINITE),
            platform::WAIT_OBJECT_0);
  EXPECT_EQ(platform::GetTickCount() - start, 1300u);
  EXPECT_EQ(signals_.error, 1u);
  EXPECT_EQ(writer->CurrentPosition(), 2048 + 1008) << "the clip ends with its last whole chunk";
  writer->SetDuration(1);
  writer->Close();

  const std::vector<std::uint8_t> file = ReadHandheldFile(kWriterClip);
  EXPECT_EQ(Le32At(file, 2040), 1008u + 4);
  EXPECT_EQ(TextAt(file, 2048 + 1008), "idx1");
  EXPECT_EQ(Le32At(file, 2048 + 1008 + 4), 16u);
  EXPECT_EQ(Le32At(file, 4), file.size() - 8);
}

TEST_F(AviWriterThreadTest, AVolumeThatFillsUpStillLeavesAnIndexedClip) {
  auto writer = MakeWriter();
  for (int i = 0; i < 60; ++i) Queue(*writer, kQueueVideo, Pattern(100, i));
  // Room for 40 chunks of 108 bytes and a little: the 41st fails, and the
  // index of 40 entries (648 bytes) no longer fits behind them.
  files().SetVolumeSize("\\", *files().VolumeUsedBytes("\\") + 40 * 108 + 50);
  ASSERT_EQ(writer->Start(signals_), 0);
  StopAndWait();
  EXPECT_EQ(signals_.error, 1u);
  writer->SetDuration(2);
  writer->Close();

  const std::vector<std::uint8_t> file = ReadHandheldFile(kWriterClip);
  const std::uint32_t frames = Le32At(file, 32 + 16);
  EXPECT_GE(frames, 30u) << "only the chunks the index needed room for are gone";
  EXPECT_LT(frames, 40u);
  const std::size_t index_at = 2048 + frames * 108;
  EXPECT_EQ(TextAt(file, index_at), "idx1");
  EXPECT_EQ(Le32At(file, index_at + 4), frames * 16);
  EXPECT_EQ(file.size(), index_at + 8 + frames * 16);
  EXPECT_EQ(Le32At(file, 4), file.size() - 8);
  EXPECT_EQ(Le32At(file, 2040), frames * 108 + 4) << "the movi list ends with the last chunk";
  const std::vector<std::uint8_t> last = Pattern(100, static_cast<int>(frames) - 1);
  EXPECT_TRUE(std::equal(last.begin(), last.end(), file.begin() + index_at - 100));
}

TEST_F(AviWriterThreadTest, ClosingAWriterThatStillRunsWritesTheQueueOut) {
  auto writer = MakeWriter();
  Queue(*writer, kQueueVideo, Pattern(100, 1));
  ASSERT_EQ(writer->Start(signals_), 0);
  EXPECT_EQ(writer->Start(signals_), -1) << "started once";
  writer->Close();
  EXPECT_EQ(signals_.stop, 1u);
  const std::vector<std::uint8_t> file = ReadHandheldFile(kWriterClip);
  EXPECT_EQ(TextAt(file, 2048), "00dc");
  EXPECT_EQ(Le32At(file, 32 + 16), 1u) << "dwTotalFrames";
}

}  // namespace
}  // namespace recording
