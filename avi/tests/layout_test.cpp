#include "avi/layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "avi/fields.h"

namespace avi {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <class Record>
Bytes Encode(const Record& record) {
  Bytes out;
  PutRecord(out, record);
  return out;
}

TEST(AviLayoutTest, EachRecordFillsItsSizeInTheFile) {
  EXPECT_EQ(Encode(MainHeader{}).size(), kRecordBytes<MainHeader>);
  EXPECT_EQ(Encode(StreamHeader{}).size(), kRecordBytes<StreamHeader>);
  EXPECT_EQ(Encode(BitmapInfoHeader{}).size(), kRecordBytes<BitmapInfoHeader>);
  EXPECT_EQ(Encode(WaveFormat{}).size(), kRecordBytes<WaveFormat>);
  EXPECT_EQ(Encode(IndexEntry{}).size(), kRecordBytes<IndexEntry>);
}

// The offsets other programs read the fields at.
TEST(AviLayoutTest, FieldsStandAtTheirFileOffsets) {
  MainHeader main;
  main.dwStreams = 2;
  main.dwHeight = 240;
  Bytes bytes = Encode(main);
  EXPECT_EQ(Le32(&bytes[24]), 2u);
  EXPECT_EQ(Le32(&bytes[36]), 240u);

  StreamHeader stream;
  stream.fccHandler = kMotionJpegCode;
  stream.wLanguage = 7;
  stream.dwScale = 1'000'000;
  stream.rcFrame.right = 320;
  bytes = Encode(stream);
  EXPECT_EQ(FourCcAt(&bytes[4]), kMotionJpegCode);
  EXPECT_EQ(Le16(&bytes[14]), 7u);
  EXPECT_EQ(Le32(&bytes[20]), 1'000'000u);
  EXPECT_EQ(Le32(&bytes[56]), 320u);

  BitmapInfoHeader bitmap;
  bitmap.biBitCount = 24;
  bitmap.biCompression = FourCcValue(kMotionJpegCode);
  bytes = Encode(bitmap);
  EXPECT_EQ(Le16(&bytes[14]), 24u);
  EXPECT_EQ(FourCcAt(&bytes[16]), kMotionJpegCode);

  WaveFormat wave;
  wave.nBlockAlign = 4;
  wave.cbSize = 9;
  bytes = Encode(wave);
  EXPECT_EQ(Le16(&bytes[12]), 4u);
  EXPECT_EQ(Le16(&bytes[16]), 9u);

  bytes = Encode(IndexEntry{StreamChunkId(0, StreamKind::kVideo), kKeyFrameFlag, 4, 1000});
  EXPECT_EQ(FourCcAt(&bytes[0]), MakeFourCc("00dc"));
  EXPECT_EQ(Le32(&bytes[4]), kKeyFrameFlag);
  EXPECT_EQ(Le32(&bytes[12]), 1000u);
}

TEST(AviLayoutTest, RecordsReadBackAsWritten) {
  StreamHeader stream;
  stream.fccType = kAudioStreamType;
  stream.wPriority = 3;
  stream.dwRate = 19'200;
  stream.dwSampleSize = 2;
  stream.rcFrame = {-1, 2, 160, 120};
  Bytes bytes = Encode(stream);
  const StreamHeader read = ReadRecord<StreamHeader>(std::span<const std::uint8_t, 64>(bytes));
  EXPECT_EQ(read.fccType, kAudioStreamType);
  EXPECT_EQ(read.wPriority, 3u);
  EXPECT_EQ(read.dwRate, 19'200u);
  EXPECT_EQ(read.dwSampleSize, 2u);
  EXPECT_EQ(read.rcFrame, (platform::RECT{-1, 2, 160, 120}));

  WaveFormat wave{1, 2, 8000, 32000, 4, 16, 0};
  bytes = Encode(wave);
  const WaveFormat wave_read = ReadRecord<WaveFormat>(std::span<const std::uint8_t, 18>(bytes));
  EXPECT_EQ(wave_read.nChannels, 2u);
  EXPECT_EQ(wave_read.nAvgBytesPerSec, 32000u);
  EXPECT_EQ(wave_read.wBitsPerSample, 16u);
}

TEST(AviLayoutTest, StreamNumbersAreTwoUpperCaseHexDigits) {
  EXPECT_EQ(StreamChunkId(0, StreamKind::kVideo), MakeFourCc("00dc"));
  EXPECT_EQ(StreamChunkId(0, StreamKind::kAudio), MakeFourCc("00wb"));
  EXPECT_EQ(StreamChunkId(1, StreamKind::kAudio), MakeFourCc("01wb"));
  EXPECT_EQ(StreamChunkId(10, StreamKind::kVideo), MakeFourCc("0Adc"));
  EXPECT_EQ(StreamChunkId(10, StreamKind::kAudio), MakeFourCc("0Awb"));
  EXPECT_EQ(StreamChunkId(0x2F, StreamKind::kVideo), MakeFourCc("2Fdc"));
}

TEST(AviLayoutTest, CompressionCodeAsTheBitmapHeaderHoldsIt) {
  EXPECT_EQ(FourCcValue(kMotionJpegCode), 0x47504A4Du);
  EXPECT_EQ(FourCcOf(0x47504A4Du), kMotionJpegCode);
}

}  // namespace
}  // namespace avi
