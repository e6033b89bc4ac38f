// Damaged and hostile input: every decode must end with a result code and
// stay inside its buffers; the sink never receives more than the mode's
// output size.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "crafted_jpeg.h"
#include "decode_test_support.h"

namespace codec::testing {
namespace {

const std::set<uint32_t> kResultCodes = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 18};

void DecodeInEveryMode(const std::vector<uint8_t>& jpeg) {
  for (int mode = kJpegFirstMode; mode <= kJpegLastMode; ++mode) {
    for (bool fast : {true, false}) {
      const Decoded decoded = Decode(jpeg, mode, fast, mode % 3);
      ASSERT_TRUE(kResultCodes.contains(decoded.result)) << decoded.result;
      ASSERT_LE(decoded.written, JpegOutputSize(mode));
    }
  }
}

TEST(StoreIndices, QuantisationTableNumberAbove3Gives11) {
  CraftedFrame dqt;
  dqt.dqt_id_luma = 4;
  EXPECT_EQ(Decode(CraftJpeg(dqt, FlatScan(1)), 8).result, kJpegBadStream);
  CraftedFrame frame;
  frame.quant_tables = {0, 1, 5};
  EXPECT_EQ(Decode(CraftJpeg(frame, FlatScan(1)), 8).result, kJpegBadStream);
}

TEST(StoreIndices, HuffmanSelectorAbove1Gives11) {
  for (uint8_t selectors : {0x21, 0x12, 0xFF}) {
    CraftedFrame frame;
    frame.selectors[1] = selectors;
    EXPECT_EQ(Decode(CraftJpeg(frame, FlatScan(1)), 8).result, kJpegBadStream) << +selectors;
  }
}

TEST(StoreIndices, ComponentIdentifiersOutsideTheStoreGive18) {
  for (std::array<uint8_t, 3> ids :
       {std::array<uint8_t, 3>{8, 9, 10}, {6, 7, 8}, {1, 3, 5}, {82, 71, 66}}) {
    CraftedFrame frame;
    frame.ids = ids;
    EXPECT_EQ(Decode(CraftJpeg(frame, FlatScan(1)), 8).result, kJpegUnsupported) << +ids[0];
  }
}

TEST(StoreIndices, ScanComponentsMustBeTheFramesInOrder) {
  // The scan names components the frame does not have.
  std::vector<uint8_t> jpeg = CraftJpeg(CraftedFrame{}, FlatScan(1));
  const long sos = FindMarker(jpeg, 0xDA);
  jpeg[sos + 7] = 7;  // second scan component
  EXPECT_EQ(Decode(jpeg, 8).result, kJpegUnsupported);
}

TEST(AcRuns, RunPastTheLastCoefficientIsABadAcCode) {
  const auto scan = [](int last_run) {
    return [last_run](ScanWriter& writer) {
      writer.Dc(0, 0);
      for (int i = 0; i < 3; ++i) writer.Symbol(2, 0xF0);  // 16 zeros each: k = 49
      writer.Ac(2, last_run, 5);
      if (last_run < 14) writer.EndOfBlock(2);
      for (int c = 1; c < 3; ++c) {
        writer.Dc(1, 0);
        writer.EndOfBlock(3);
      }
    };
  };
  // Run 14 lands on coefficient 63, the last one; run 15 would be the 65th.
  EXPECT_EQ(Decode(CraftJpeg(CraftedFrame{}, scan(14)), 8).result, kJpegOk);
  EXPECT_EQ(Decode(CraftJpeg(CraftedFrame{}, scan(15)), 8).result, kJpegBadAcCode);
}

TEST(HuffmanCodes, CodesLongerThanTheTableGiveTheirResultCodes) {
  // Sixteen 1 bits are no code of the AC luminance table, nine 1 bits none of
  // the DC luminance table.
  const auto bad_ac = [](ScanWriter& writer) {
    writer.Dc(0, 0);
    writer.Bits(0xFFFF, 16);
  };
  EXPECT_EQ(Decode(CraftJpeg(CraftedFrame{}, bad_ac), 8).result, kJpegBadAcCode);
  const auto bad_dc = [](ScanWriter& writer) { writer.Bits(0x1FF, 9); };
  EXPECT_EQ(Decode(CraftJpeg(CraftedFrame{}, bad_dc), 8).result, kJpegBadDcCode);
}

TEST(Robustness, ExtremeCoefficientsStayInRange) {
  // Maximal DC differences pile up in the predictor; maximal AC values at
  // every position.
  const auto extreme = [](ScanWriter& writer) {
    for (int m = 0; m < 64; ++m) {
      for (int c = 0; c < 3; ++c) {
        writer.Dc(c == 0 ? 0 : 1, m % 2 ? -2047 : 2047);
        for (int k = 1; k < 64; ++k) writer.Ac(c == 0 ? 2 : 3, 0, k % 2 ? 1023 : -1023);
      }
    }
  };
  CraftedFrame frame;
  frame.width = 64;
  frame.height = 64;
  DecodeInEveryMode(CraftJpeg(frame, extreme));
}

TEST(Robustness, TinyAndOddSizesDecodeInEveryMode) {
  for (auto [width, height] : {std::pair{1, 1}, {7, 9}, {17, 3}, {8, 300}, {1000, 8}}) {
    for (Subsampling subsampling : {Subsampling::k444, Subsampling::k422, Subsampling::k420}) {
      EncodeOptions options;
      options.subsampling = subsampling;
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
      DecodeInEveryMode(EncodeJpeg(MakeScene(width, height), options));
    }
  }
}

TEST(Robustness, RandomDamageNeverEscapesTheBuffers) {
  std::vector<std::vector<uint8_t>> originals;
  for (Subsampling subsampling : {Subsampling::k444, Subsampling::k422, Subsampling::k420}) {
    EncodeOptions options;
    options.subsampling = subsampling;
    options.restart_interval = subsampling == Subsampling::k422 ? 5 : 0;
    originals.push_back(EncodeJpeg(MakeScene(96, 64, 2), options));
  }
  originals.push_back(EncodeJpeg(MakeScene(160, 120), EncodeOptions{}));
  std::mt19937 random(1234);
  for (int round = 0; round < 60; ++round) {
    std::vector<uint8_t> jpeg = originals[round % originals.size()];
    std::uniform_int_distribution<size_t> position(0, jpeg.size() - 1);
    switch (round % 4) {
      case 0:  // flip a few bytes anywhere
        for (int i = 0; i < 4; ++i) jpeg[position(random)] ^= static_cast<uint8_t>(random());
        break;
      case 1:  // cut the end off
        jpeg.resize(position(random));
        break;
      case 2:  // insert markers into the middle
        jpeg.insert(jpeg.begin() + static_cast<long>(position(random)),
                    {0xFF, static_cast<uint8_t>(0xC0 + random() % 64)});
        break;
      default:  // overwrite header bytes
        for (int i = 0; i < 3; ++i) jpeg[position(random) % 200] = static_cast<uint8_t>(random());
        break;
    }
    SCOPED_TRACE(round);
    DecodeInEveryMode(jpeg);
  }
}

TEST(Robustness, JunkInputs) {
  std::mt19937 random(99);
  std::vector<uint8_t> noise(5000);
  for (auto& byte : noise) byte = static_cast<uint8_t>(random());
  DecodeInEveryMode(noise);
  DecodeInEveryMode(std::vector<uint8_t>(3000, 0xFF));
  DecodeInEveryMode(std::vector<uint8_t>(3000, 0x00));
  DecodeInEveryMode({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x0C});  // scan without a frame
  DecodeInEveryMode({0xFF, 0xD8, 0xFF, 0xD9});
}

}  // namespace
}  // namespace codec::testing
