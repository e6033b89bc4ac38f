// How the decoder walks a stream: markers and their result codes, segments it
// passes over, restart intervals, and sources that end early.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "codec/standard_huffman_tables.h"
#include "crafted_jpeg.h"
#include "decode_test_support.h"

namespace codec::testing {
namespace {

std::vector<uint8_t> EncodedWithRestarts(int width, int height, Subsampling subsampling,
                                         int restart_interval = 0) {
  EncodeOptions options;
  options.subsampling = subsampling;
  options.quality = 85;
  options.restart_interval = restart_interval;
  return EncodeJpeg(MakeScene(width, height, 1), options);
}

// Tables of DHT segment bodies by their class/identifier byte.
std::map<uint8_t, std::vector<uint8_t>> TablesIn(std::span<const uint8_t> bytes) {
  std::map<uint8_t, std::vector<uint8_t>> tables;
  for (long at = FindMarker(bytes, 0xC4); at >= 0; at = FindMarker(bytes, 0xC4, at + 2)) {
    const size_t end = static_cast<size_t>(at) + 2 + (bytes[at + 2] << 8 | bytes[at + 3]);
    for (size_t t = static_cast<size_t>(at) + 4; t < end;) {
      size_t symbols = 0;
      for (size_t i = 1; i <= 16; ++i) symbols += bytes[t + i];
      tables[bytes[t]].assign(bytes.begin() + static_cast<long>(t),
                              bytes.begin() + static_cast<long>(t + 17 + symbols));
      t += 17 + symbols;
    }
  }
  return tables;
}

TEST(HuffmanTables, StandardSegmentMatchesTheReferenceEncodersTables) {
  const std::vector<uint8_t> jpeg = EncodedWithRestarts(16, 16, Subsampling::k444);
  const auto segment = StandardHuffmanSegment();
  ASSERT_EQ(segment.size(), 420u);
  const auto ours = TablesIn(segment);
  EXPECT_EQ(ours.size(), 4u);
  EXPECT_EQ(ours, TablesIn(jpeg));
}

TEST(HuffmanTables, SegmentHoldsTheTablesAskedForInTheirOrder) {
  // The reference encoder writes a colour image's tables luminance first, as
  // the still pictures carry them: the same bytes, in the same order.
  const std::vector<uint8_t> jpeg = EncodedWithRestarts(16, 16, Subsampling::k444);
  std::vector<uint8_t> bodies;
  for (long at = FindMarker(jpeg, 0xC4); at >= 0; at = FindMarker(jpeg, 0xC4, at + 2)) {
    const long end = at + 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
    bodies.insert(bodies.end(), jpeg.begin() + at + 4, jpeg.begin() + end);
  }
  const std::vector<uint8_t> segment = StandardHuffmanSegment(kHuffmanLuminanceFirstOrder);
  ASSERT_EQ(segment.size(), kStandardHuffmanSegmentBytes);
  EXPECT_EQ(std::vector<uint8_t>(segment.begin(), segment.begin() + 4),
            (std::vector<uint8_t>{0xFF, 0xC4, 0x01, 0xA2}));
  EXPECT_EQ(std::vector<uint8_t>(segment.begin() + 4, segment.end()), bodies);

  const std::span<const uint8_t> decoding_order = StandardHuffmanSegment();
  EXPECT_EQ(StandardHuffmanSegment(kHuffmanDecodingOrder),
            std::vector<uint8_t>(decoding_order.begin(), decoding_order.end()));
  EXPECT_EQ(TablesIn(decoding_order), TablesIn(segment));

  // Any selection: one table alone gets its own length.
  const StandardHuffmanTable alone[] = {StandardHuffmanTable::kAcChrominance};
  const std::vector<uint8_t> one = StandardHuffmanSegment(alone);
  ASSERT_EQ(one.size(), 4u + 17u + 162u);
  EXPECT_EQ(one[2] << 8 | one[3], 2 + 17 + 162);
  EXPECT_EQ(TablesIn(one), (std::map<uint8_t, std::vector<uint8_t>>{{0x11, TablesIn(jpeg)[0x11]}}));
}

TEST(Segments, DhtContentsAreIgnored) {
  const std::vector<uint8_t> jpeg = EncodedWithRestarts(320, 240, Subsampling::k420);
  const Decoded plain = Decode(jpeg, 8);
  ASSERT_EQ(plain.result, kJpegOk);
  // Without any DHT, and with a DHT whose tables differ from the standard.
  const std::vector<uint8_t> without = WithoutSegments(jpeg, 0xC4);
  std::vector<uint8_t> other(StandardHuffmanSegment().begin(), StandardHuffmanSegment().end());
  std::swap(other[5], other[6]);
  other[300] ^= 0x5A;
  const std::vector<uint8_t> different = WithSegmentBeforeFrame(without, other);
  for (const auto& variant : {without, different}) {
    const Decoded decoded = Decode(variant, 8);
    ASSERT_EQ(decoded.result, kJpegOk);
    EXPECT_EQ(decoded.pixels, plain.pixels);
  }
}

TEST(Segments, StrayZeroBetweenSegmentsIsPassedOver) {
  const std::vector<uint8_t> jpeg = EncodedWithRestarts(160, 120, Subsampling::k444);
  const std::vector<uint8_t> zero = {0x00};
  const Decoded plain = Decode(jpeg, 10);
  const Decoded with_zero = Decode(WithSegmentBeforeFrame(jpeg, zero), 10);
  ASSERT_EQ(with_zero.result, kJpegOk);
  EXPECT_EQ(with_zero.pixels, plain.pixels);
}

TEST(Segments, SkippedSegmentsMaySpanSeveralChunks) {
  const std::vector<uint8_t> jpeg = EncodedWithRestarts(160, 120, Subsampling::k444);
  // An APP1 segment of 65,535 bytes starting near the end of the first
  // 40,960-byte chunk runs through the second into the third.
  std::vector<uint8_t> filler = {0xFF, 0xE0, 0x9C, 0x40};  // 40,000 bytes
  filler.resize(2 + 40000, 0x11);
  std::vector<uint8_t> big = {0xFF, 0xE1, 0xFF, 0xFF};
  big.resize(2 + 65535, 0xFF);  // 0xFF bytes must not be taken for markers
  filler.insert(filler.end(), big.begin(), big.end());
  const Decoded plain = Decode(jpeg, 10);
  const Decoded padded = Decode(WithSegmentBeforeFrame(jpeg, filler), 10);
  ASSERT_EQ(padded.result, kJpegOk);
  EXPECT_EQ(padded.pixels, plain.pixels);
}

// `jpeg` with `segments` put in front of its first DQT, which starts at
// `offset` then.
std::vector<uint8_t> BeforeQuantTables(const std::vector<uint8_t>& jpeg,
                                       const std::vector<uint8_t>& segments, size_t& offset) {
  const long dqt = FindMarker(jpeg, 0xDB);
  std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + dqt);
  out.insert(out.end(), segments.begin(), segments.end());
  offset = out.size();
  out.insert(out.end(), jpeg.begin() + dqt, jpeg.end());
  return out;
}

TEST(Segments, EveryLengthFormIsReadAsTwoPlainBytes) {
  // A length byte of 0xFF must not pull the next byte in as if it were
  // stuffing or a marker, wherever the length falls against the 40,960-byte
  // chunks: nothing of the DQT behind it may be lost.
  const std::vector<uint8_t> jpeg = EncodedWithRestarts(160, 120, Subsampling::k444);
  const Decoded plain = Decode(jpeg, 10);
  ASSERT_EQ(plain.result, kJpegOk);
  constexpr size_t kChunk = 40960;
  for (uint8_t code : {0xC4, 0xE0, 0xEF, 0xFE}) {
    for (uint32_t length : {255u, 511u, 767u, 0xFF00u, 0xFF01u, 0xFFFFu, 258u}) {
      for (uint8_t fill : {0x00, 0xFF, 0xD9, 0x41}) {
        std::vector<uint8_t> segment = {0xFF, code, static_cast<uint8_t>(length >> 8),
                                        static_cast<uint8_t>(length)};
        segment.resize(2 + length, fill);
        // The segment alone, then with its marker starting 1..5 bytes before
        // the end of the first chunk (a filler APP0 in front).
        size_t at = 0;
        BeforeQuantTables(jpeg, {}, at);
        for (size_t lead = 0; lead <= 5; ++lead) {
          std::vector<uint8_t> segments;
          if (lead > 0) {
            const size_t filler = kChunk - lead - at - 2;  // without its own marker
            segments = {0xFF, 0xE1, static_cast<uint8_t>(filler >> 8),
                        static_cast<uint8_t>(filler)};
            segments.resize(2 + filler, 0x22);
          }
          segments.insert(segments.end(), segment.begin(), segment.end());
          size_t dqt = 0;
          const std::vector<uint8_t> variant = BeforeQuantTables(jpeg, segments, dqt);
          ASSERT_EQ(dqt, (lead > 0 ? kChunk - lead : at) + segment.size());
          const Decoded decoded = Decode(variant, 10);
          const std::string trace = "marker " + std::to_string(code) + " length " +
                                    std::to_string(length) + " fill " + std::to_string(fill) +
                                    " lead " + std::to_string(lead);
          ASSERT_EQ(decoded.result, kJpegOk) << trace;
          ASSERT_TRUE(decoded.pixels == plain.pixels) << trace;
        }
      }
    }
  }
}

TEST(Segments, FrameSizesWithA0xFFByteAreReadWhole) {
  // 255 lines in a frame narrower than 256: the height's 0xFF is followed by
  // the width's zero high byte. 254 lines give the same MCU grid, so the
  // same picture.
  for (int height : {255, 511}) {
    const Decoded decoded = Decode(EncodeJpeg(MakeFlat(200, height, 90, 160, 100), {}), 10);
    const Decoded shorter = Decode(EncodeJpeg(MakeFlat(200, height - 1, 90, 160, 100), {}), 10);
    ASSERT_EQ(decoded.result, kJpegOk) << height;
    ASSERT_EQ(shorter.result, kJpegOk) << height;
    EXPECT_EQ(decoded.pixels, shorter.pixels) << height;
  }
}

TEST(Restart, MarkerAfterTheLastMcuEndsTheScan) {
  // 4:4:4 320 x 240 has 1,200 MCUs: the interval of 40 ends at the last MCU,
  // the one of 7 leaves three; 160 x 120 in the full-size mode.
  for (auto [width, height, interval, mode] :
       {std::tuple{320, 240, 40, 8}, {320, 240, 7, 8}, {160, 120, 20, 14}}) {
    const std::vector<uint8_t> jpeg =
        EncodedWithRestarts(width, height, Subsampling::k444, interval);
    ASSERT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    ASSERT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    std::vector<uint8_t> closed = jpeg;
    closed.insert(closed.end() - 2, {0xFF, 0xD5});
    const Decoded plain = Decode(jpeg, mode);
    const Decoded decoded = Decode(closed, mode);
    ASSERT_EQ(decoded.result, kJpegOk) << interval;
    EXPECT_EQ(decoded.pixels, plain.pixels) << interval;
  }
}

TEST(Restart, IntervalsDecodeLikeTheSameImageWithout) {
  const Decoded plain = Decode(EncodedWithRestarts(320, 240, Subsampling::k420), 8);
  for (int interval : {1, 7, 20}) {
    const Decoded restarted = Decode(EncodedWithRestarts(320, 240, Subsampling::k420, interval), 8);
    ASSERT_EQ(restarted.result, kJpegOk) << interval;
    EXPECT_EQ(restarted.pixels, plain.pixels) << interval;
  }
}

TEST(Restart, MarkerNumbersAreNotChecked) {
  std::vector<uint8_t> jpeg = EncodedWithRestarts(320, 240, Subsampling::k444, 40);
  const Decoded plain = Decode(jpeg, 8);
  for (long at = FindMarker(jpeg, 0xD3); at >= 0; at = FindMarker(jpeg, 0xD3, at + 2)) {
    jpeg[at + 1] = 0xD6;
  }
  const Decoded renumbered = Decode(jpeg, 8);
  ASSERT_EQ(renumbered.result, kJpegOk);
  EXPECT_EQ(renumbered.pixels, plain.pixels);
}

// The image cut at the start of its `count`-th restart marker, then EOI.
std::vector<uint8_t> CutAtRestart(const std::vector<uint8_t>& jpeg, int count) {
  long at = FindMarker(jpeg, 0xDA);
  for (int seen = 0; seen < count;) {
    at =
        static_cast<long>(std::search_n(jpeg.begin() + at + 1, jpeg.end(), 1, 0xFF) - jpeg.begin());
    if ((jpeg[at + 1] & 0xF8) == 0xD0) ++seen;
  }
  std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + at);
  cut.insert(cut.end(), {0xFF, 0xD9});
  return cut;
}

TEST(Restart, ScanCutAtARestartPointKeepsEveryCompleteRow) {
  // 4:4:4 320 x 240: 40 MCUs per row, 8 lines each; mode 8 fits exactly.
  const size_t row_bytes = 8 * 320 * 3;
  struct Case {
    int interval, markers;
    size_t rows;
  };
  for (const Case& c : {Case{40, 10, 10}, Case{7, 12, 2}, Case{40, 29, 29}}) {
    SCOPED_TRACE(std::to_string(c.interval) + " " + std::to_string(c.markers));
    const std::vector<uint8_t> jpeg = EncodedWithRestarts(320, 240, Subsampling::k444, c.interval);
    const Decoded full = Decode(jpeg, 8);
    const Decoded cut = Decode(CutAtRestart(jpeg, c.markers), 8);
    EXPECT_EQ(cut.result, kJpegOk);
    ASSERT_EQ(cut.written, c.rows * row_bytes);
    EXPECT_TRUE(
        std::equal(cut.pixels.begin(), cut.pixels.begin() + cut.written, full.pixels.begin()));
    EXPECT_EQ(cut.pixels[cut.written], kSinkFill);
  }
}

TEST(Truncation, SourceEndingInsideTheScanKeepsTheRowsBefore) {
  const std::vector<uint8_t> jpeg = EncodedWithRestarts(320, 240, Subsampling::k420);
  const Decoded full = Decode(jpeg, 8);
  const long scan = FindMarker(jpeg, 0xDA);
  const size_t band = 16 * 320 * 3;
  for (size_t keep : {static_cast<size_t>(scan) + 40, jpeg.size() / 2, jpeg.size() - 3}) {
    const std::vector<uint8_t> truncated(jpeg.begin(), jpeg.begin() + static_cast<long>(keep));
    const Decoded decoded = Decode(truncated, 8);
    EXPECT_EQ(decoded.result, kJpegBadStream) << keep;
    EXPECT_EQ(decoded.written % band, 0u) << keep;
    EXPECT_LT(decoded.written, full.written);
    EXPECT_TRUE(std::equal(decoded.pixels.begin(), decoded.pixels.begin() + decoded.written,
                           full.pixels.begin()));
  }
  // Cut just before EOI: every row is there, only the end marker is missing.
  const std::vector<uint8_t> no_eoi(jpeg.begin(), jpeg.end() - 2);
  const Decoded decoded = Decode(no_eoi, 8);
  EXPECT_EQ(decoded.result, kJpegBadStream);
  EXPECT_EQ(decoded.pixels, full.pixels);
}

TEST(Markers, ProgressiveAndOtherFramesGive11) {
  EncodeOptions options;
  options.progressive = true;
  const std::vector<uint8_t> progressive = EncodeJpeg(MakeScene(160, 120), options);
  EXPECT_EQ(Decode(progressive, 10).result, kJpegBadStream);
  std::vector<uint8_t> lossless = EncodedWithRestarts(160, 120, Subsampling::k444);
  lossless[FindMarker(lossless, 0xC0) + 1] = 0xC3;
  EXPECT_EQ(Decode(lossless, 10).result, kJpegBadStream);
}

TEST(Markers, TwelveBitSamplesGive2AndTheMessageOnce) {
  CraftedFrame frame;
  frame.precision = 12;
  const std::vector<uint8_t> jpeg = CraftJpeg(frame, FlatScan(1));
  ::testing::internal::CaptureStdout();
  const Decoded decoded = Decode(jpeg, 8);
  const std::string console = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(decoded.result, kJpegSamplePrecision);
  EXPECT_EQ(console, "This decoder doesn't support 12 bit or 16 bit data\n");
}

TEST(Markers, GreyImagesGive18InEveryMode) {
  EncodeOptions options;
  for (int size : {160, 320}) {
    Image grey = MakeFlat(size, size * 3 / 4, 90, 0, 0, 1);
    const std::vector<uint8_t> jpeg = EncodeJpeg(grey, options);
    for (int mode = kJpegFirstMode; mode <= kJpegLastMode; ++mode) {
      const Decoded decoded = Decode(jpeg, mode);
      EXPECT_EQ(decoded.result, kJpegUnsupported) << size << " mode " << mode;
      EXPECT_EQ(decoded.written, 0u);
    }
  }
}

TEST(Markers, HeaderFieldsGiveTheirResultCodes) {
  struct Case {
    const char* name;
    void (*change)(CraftedFrame&);
    JpegResult expected;
  };
  const Case cases[] = {
      {"scan start", [](CraftedFrame& f) { f.spectral_start = 1; }, kJpegBadSpectralStart},
      {"scan end", [](CraftedFrame& f) { f.spectral_end = 62; }, kJpegBadSpectralEnd},
      {"approximation", [](CraftedFrame& f) { f.approximation = 0x10; }, kJpegBadApproximation},
      {"identifiers from 0",
       [](CraftedFrame& f) {
         f.ids = {0, 1, 2};
       },
       kJpegOk},
      {"identifiers up to 7",
       [](CraftedFrame& f) {
         f.ids = {5, 6, 7};
       },
       kJpegOk},
  };
  for (const Case& c : cases) {
    CraftedFrame frame;
    c.change(frame);
    EXPECT_EQ(Decode(CraftJpeg(frame, FlatScan(1)), 8).result, c.expected) << c.name;
  }
}

TEST(Markers, SegmentErrorsGiveTheirResultCodes) {
  const std::vector<uint8_t> jpeg = CraftJpeg(CraftedFrame{}, FlatScan(1));
  std::vector<uint8_t> bad_dri = {0xFF, 0xDD, 0x00, 0x05, 0x00, 0x01};
  EXPECT_EQ(Decode(WithSegmentBeforeFrame(jpeg, bad_dri), 8).result, kJpegBadRestartLength);
  std::vector<uint8_t> dri_high_byte = {0xFF, 0xDD, 0x01, 0x04, 0x00, 0x00};
  EXPECT_EQ(Decode(WithSegmentBeforeFrame(jpeg, dri_high_byte), 8).result, kJpegOk);
  std::vector<uint8_t> wide_dqt = {0xFF, 0xDB, 0x00, 0x83, 0x10};
  wide_dqt.resize(0x83 + 2, 0);
  EXPECT_EQ(Decode(WithSegmentBeforeFrame(jpeg, wide_dqt), 8).result, kJpegQuantPrecision);
  std::vector<uint8_t> sof1 = jpeg;
  sof1[FindMarker(sof1, 0xC0) + 1] = 0xC1;
  EXPECT_EQ(Decode(sof1, 8).result, kJpegBadStream);
  const std::vector<uint8_t> fill_bytes = {0xFF, 0xFF, 0xD8, 0xFF, 0xD9};
  EXPECT_EQ(Decode(fill_bytes, 8).result, kJpegBadStream);
}

TEST(Markers, ModeAndSourceAreChecked) {
  const std::vector<uint8_t> jpeg = CraftJpeg(CraftedFrame{}, FlatScan(1));
  EXPECT_EQ(Decode(jpeg, 0).result, kJpegUnsupported);
  EXPECT_EQ(Decode(jpeg, 15).result, kJpegUnsupported);
  EXPECT_EQ(Decode({}, 8).result, kJpegBadStream);
  EXPECT_EQ(Decode({}, 0).result, kJpegBadStream);  // the source is looked at first
  std::vector<uint8_t> sink(JpegOutputSize(8));
  EXPECT_EQ(JpegDecodeBuffer(jpeg.data(), 8, sink.data(), jpeg.size(), nullptr), kJpegNoMemory);
}

TEST(Cursors, DecodeBufferConsumesTheSourceAndAdvancesTheSink) {
  const std::vector<uint8_t> jpeg = EncodedWithRestarts(160, 120, Subsampling::k444);
  JpegDecoderPtr decoder = JpegDecoderCreate();
  ASSERT_NE(decoder, nullptr);
  std::vector<uint8_t> sink(JpegOutputSize(3));
  ASSERT_EQ(JpegDecodeBuffer(jpeg.data(), 3, sink.data(), jpeg.size(), decoder.get()), kJpegOk);
  const JpegCursors& cursors = JpegDecoderCursors(*decoder);
  EXPECT_EQ(cursors.source_left, 0u);
  EXPECT_EQ(cursors.source, jpeg.data() + jpeg.size());
  EXPECT_EQ(cursors.sink, sink.data() + sink.size());
  EXPECT_TRUE(JpegFastThreeQuarter(*decoder));
}

TEST(Context, QuarterReductionLeavesTheQuantisationTablesAsRead) {
  // A second image without DQT reuses the tables of the first; the 1/4
  // reduction must not have changed them.
  const std::vector<uint8_t> jpeg = EncodedWithRestarts(640, 480, Subsampling::k444);
  JpegDecoderPtr decoder = JpegDecoderCreate();
  const Decoded first = Decode(jpeg, 3, true, 0, decoder.get());
  const Decoded second = Decode(WithoutSegments(jpeg, 0xDB), 3, true, 0, decoder.get());
  ASSERT_EQ(first.result, kJpegOk);
  ASSERT_EQ(second.result, kJpegOk);
  EXPECT_EQ(second.pixels, first.pixels);
}

}  // namespace
}  // namespace codec::testing
