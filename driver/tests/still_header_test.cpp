// The still header: its segments at their offsets, the frame of each
// capture type, the quantisation and Huffman tables, and the Exif values
// that change from picture to picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "card/quantiser_codes.h"
#include "card_testing/camera_tables.h"
#include "card_testing/jpeg_tools.h"
#include "quality_tables.h"
#include "sensor_bus.h"
#include "still_fixture.h"

namespace orsadrv::testing {
namespace {

constexpr std::size_t kTiffStart = 12;

// Reads the header's Exif data the way an Exif reader does: from the TIFF
// header through the directories' entries to their values.
class ExifView {
 public:
  explicit ExifView(const std::vector<BYTE>& header) : header_(header) {}

  DWORD Word(DWORD tiff_offset) const {
    const std::size_t at = kTiffStart + tiff_offset;
    return header_.at(at) << 8 | header_.at(at + 1);
  }
  DWORD Long(DWORD tiff_offset) const { return Word(tiff_offset) << 16 | Word(tiff_offset + 2); }
  std::string Text(DWORD tiff_offset, DWORD count) const {
    std::string text;
    for (DWORD i = 0; i < count && header_.at(kTiffStart + tiff_offset + i) != 0; ++i) {
      text += static_cast<char>(header_.at(kTiffStart + tiff_offset + i));
    }
    return text;
  }

  struct Entry {
    DWORD type = 0;
    DWORD count = 0;
    DWORD value_at = 0;  // TIFF offset of the four value bytes
    DWORD Offset(const ExifView& view) const { return view.Long(value_at); }
  };
  DWORD Ifd0() const { return Long(4); }
  std::optional<Entry> Find(DWORD ifd, DWORD tag) const {
    const DWORD count = Word(ifd);
    for (DWORD i = 0; i < count; ++i) {
      const DWORD at = ifd + 2 + 12 * i;
      if (Word(at) == tag) return Entry{Word(at + 2), Long(at + 4), at + 8};
    }
    return std::nullopt;
  }
  // The text an ASCII entry points at.
  std::string TextOf(DWORD ifd, DWORD tag) const {
    const auto entry = Find(ifd, tag);
    return entry ? Text(entry->Offset(*this), entry->count) : "(missing)";
  }
  std::pair<DWORD, DWORD> RationalOf(DWORD ifd, DWORD tag) const {
    const auto entry = Find(ifd, tag);
    if (!entry) return {0, 0};
    const DWORD at = entry->Offset(*this);
    return {Long(at), Long(at + 4)};
  }

 private:
  const std::vector<BYTE>& header_;
};

class StillHeaderTest : public StillTest {
 protected:
  std::vector<BYTE> Header(BYTE type) {
    std::vector<BYTE> header(kStillHeaderBytes + 16, 0xEE);
    const DWORD length = BuildStillHeader(device_handle_, type, header.data());
    EXPECT_TRUE(std::all_of(header.begin() + kStillHeaderBytes, header.end(), [](BYTE b) {
      return b == 0xEE;
    })) << "nothing is written past the header";
    header.resize(length);
    return header;
  }

  std::string ModelText() {
    const std::vector<BYTE> header = Header(6);
    const ExifView exif(header);
    return exif.TextOf(exif.Ifd0(), 0x0110);
  }

  void WriteGainRegisters(const std::array<BYTE, 8>& values) {
    for (BYTE i = 0; i < 8; ++i) WriteSensorRegister(device_handle_, 32 + i, values[i]);
  }
};

std::vector<BYTE> Slice(const std::vector<BYTE>& bytes, std::size_t offset, std::size_t count) {
  return {bytes.begin() + offset, bytes.begin() + offset + count};
}

TEST_F(StillHeaderTest, SegmentsStandAtTheirOffsetsForEveryTypeWithAHeader) {
  for (BYTE type : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 17}) {
    SCOPED_TRACE(::testing::Message() << "type " << int{type});
    const std::vector<BYTE> header = Header(type);
    ASSERT_EQ(header.size(), 1515u);
    EXPECT_EQ(Slice(header, 0, 12),
              (std::vector<BYTE>{0xFF, 0xD8, 0xFF, 0xE1, 0x03, 0x9C, 'E', 'x', 'i', 'f', 0, 0}))
        << "SOI, then APP1 of 924 bytes";
    EXPECT_EQ(Slice(header, 12, 8),
              (std::vector<BYTE>{0x4D, 0x4D, 0x00, 0x2A, 0x00, 0x00, 0x00, 0x08}));
    EXPECT_EQ(Slice(header, 928, 4), (std::vector<BYTE>{0xFF, 0xDB, 0x00, 0x84}));
    EXPECT_EQ(Slice(header, 1062, 5), (std::vector<BYTE>{0xFF, 0xC0, 0x00, 0x11, 0x08}));
    EXPECT_EQ(Slice(header, 1081, 4), (std::vector<BYTE>{0xFF, 0xC4, 0x01, 0xA2}));
    EXPECT_EQ(Slice(header, 1501, 14),
              (std::vector<BYTE>{0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11,
                                 0x00, 0x3F, 0x00}));
  }
  for (BYTE type : {10, 11, 12, 13, 14, 15, 16, 18, 19, 20, 21, 255}) {
    std::vector<BYTE> header(kStillHeaderBytes, 0xEE);
    EXPECT_EQ(BuildStillHeader(device_handle_, type, header.data()), 0u) << int{type};
    EXPECT_EQ(header.front(), 0xEE) << "a type without a header writes nothing";
  }
}

TEST_F(StillHeaderTest, FrameHeaderAndPixelDimensionsFollowTheCaptureType) {
  struct Expected {
    BYTE type;
    WORD width, height;
    BYTE luma_sampling;
  };
  const Expected table[] = {
      {0, 1280, 1024, 0x22}, {1, 1280, 960, 0x22}, {2, 640, 480, 0x11}, {3, 640, 480, 0x22},
      {7, 640, 480, 0x22},   {4, 320, 240, 0x11},  {8, 320, 240, 0x11}, {5, 320, 240, 0x22},
      {9, 320, 240, 0x22},   {17, 320, 240, 0x22}, {6, 160, 120, 0x11},
  };
  for (const Expected& expected : table) {
    SCOPED_TRACE(::testing::Message() << "type " << int{expected.type});
    const std::vector<BYTE> header = Header(expected.type);
    ASSERT_EQ(header.size(), 1515u);
    EXPECT_EQ(Slice(header, 1067, 14),
              (std::vector<BYTE>{
                  static_cast<BYTE>(expected.height >> 8), static_cast<BYTE>(expected.height),
                  static_cast<BYTE>(expected.width >> 8), static_cast<BYTE>(expected.width), 3, 1,
                  expected.luma_sampling, 0, 2, 0x11, 1, 3, 0x11, 1}));
    const ExifView exif(header);
    const DWORD exif_ifd = exif.Long(exif.Find(exif.Ifd0(), 0x8769)->value_at);
    EXPECT_EQ(exif.Long(exif.Find(exif_ifd, 0xA002)->value_at), expected.width);
    EXPECT_EQ(exif.Long(exif.Find(exif_ifd, 0xA003)->value_at), expected.height);
  }
}

TEST_F(StillHeaderTest, QualityTwoTablesEqualThePreviewHeadersByteForByte) {
  // The camera's preview header: DQT at offset 2, tables 0 and 1.
  const std::vector<BYTE> preview_dqt = {
      0xFF, 0xDB, 0x00, 0x84, 0x00, 0x07, 0x07, 0x07, 0x0D, 0x0D, 0x0D, 0x11, 0x10, 0x10, 0x11,
      0x20, 0x17, 0x1A, 0x17, 0x20, 0x33, 0x22, 0x25, 0x25, 0x22, 0x33, 0x49, 0x39, 0x39, 0x40,
      0x39, 0x39, 0x49, 0x80, 0x55, 0x55, 0x66, 0x66, 0x55, 0x55, 0x80, 0x80, 0x80, 0x80, 0xAB,
      0x80, 0x80, 0x80, 0xAB, 0xAB, 0xFF, 0xFF, 0xAB, 0xAB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x07, 0x07, 0x07, 0x0A, 0x0A,
      0x0A, 0x10, 0x0E, 0x0E, 0x10, 0x1A, 0x14, 0x17, 0x14, 0x1A, 0x25, 0x20, 0x20, 0x20, 0x20,
      0x27, 0x39, 0x27, 0x27, 0x33, 0x27, 0x27, 0x39, 0x55, 0x40, 0x40, 0x49, 0x49, 0x40, 0x40,
      0x55, 0x66, 0x55, 0x66, 0x80, 0x66, 0x55, 0x66, 0x80, 0x80, 0xAB, 0xAB, 0x80, 0x80, 0xAB,
      0xFF, 0xFF, 0xFF, 0xAB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
  };
  ASSERT_EQ(preview_dqt.size(), 134u);
  State().quality_index = 2;
  const std::vector<BYTE> header = Header(4);
  EXPECT_EQ(Slice(header, 928, 134), preview_dqt);
  // The card's own rendering of the preview header agrees.
  EXPECT_EQ(Slice(card::testing::PreviewHeader(320, 240, 1), 2, 134), preview_dqt);
}

TEST_F(StillHeaderTest, EachQualitysTablesAreTheStepsOfTheModulesCodes) {
  std::vector<std::vector<BYTE>> tables;
  for (int quality = 0; quality < kQualityIndexes; ++quality) {
    SCOPED_TRACE(::testing::Message() << "quality " << quality);
    State().quality_index = static_cast<BYTE>(quality);
    const std::vector<BYTE> header = Header(1);
    ASSERT_EQ(header[932], 0x00);
    ASSERT_EQ(header[932 + 65], 0x01);
    const auto codes = QuantiserCodes(quality);
    for (int i = 0; i < 128; ++i) {
      const BYTE step = header[933 + i + (i >= 64 ? 1 : 0)];
      // What the module quantises with is what a decoder must multiply by.
      ASSERT_EQ(card::QuantiserStep(codes[i]), step) << "value " << i;
      ASSERT_EQ(card::testing::QuantisationTable(quality)[i], step) << "value " << i;
      ASSERT_EQ(card::testing::QuantiserCodes(quality)[i], codes[i]) << "code " << i;
    }
    tables.push_back(Slice(header, 928, 134));
  }
  EXPECT_NE(tables[0], tables[1]);
  EXPECT_NE(tables[1], tables[2]);
  State().quality_index = 7;
  EXPECT_EQ(Slice(Header(1), 928, 134), tables[0]) << "an index out of range takes table 0";
}

TEST_F(StillHeaderTest, HuffmanTablesAreTheStandardOnes) {
  // The card testing header takes its tables from the codec, whose own tests
  // hold them against libjpeg's defaults.
  const std::vector<BYTE> reference = card::testing::StillHeader(1280, 960, 2, 1);
  ASSERT_EQ(reference.size(), 1515u);
  EXPECT_EQ(Slice(Header(1), 1081, 420), Slice(reference, 1081, 420));
}

TEST_F(StillHeaderTest, DirectoriesPointAtEveryValueWhereItStands) {
  State().exposure = 0x0312;
  const std::vector<BYTE> header = Header(4);
  const ExifView exif(header);
  const DWORD ifd0 = exif.Ifd0();
  EXPECT_EQ(ifd0, 8u);
  EXPECT_EQ(exif.Word(ifd0), 12u);
  EXPECT_EQ(exif.TextOf(ifd0, 0x010E), "QRM410 V0.87.22");
  EXPECT_EQ(exif.TextOf(ifd0, 0x010F), "Kav Inc.");
  EXPECT_EQ(exif.TextOf(ifd0, 0x0131), "SDIO QX V0.87");
  EXPECT_EQ(exif.TextOf(ifd0, 0x0132), "2003:09:01 00:00:00");
  EXPECT_FALSE(exif.TextOf(ifd0, 0x8298).empty());
  EXPECT_LE(exif.TextOf(ifd0, 0x8298).size(), 15u);
  EXPECT_EQ(exif.RationalOf(ifd0, 0x011A), std::make_pair(DWORD{100}, DWORD{1}));

  const DWORD exif_ifd = exif.Long(exif.Find(ifd0, 0x8769)->value_at);
  EXPECT_EQ(exif_ifd, 290u);
  EXPECT_EQ(exif.Word(exif_ifd), 30u);
  EXPECT_EQ(exif.TextOf(exif_ifd, 0x9003), "2003:09:01 00:00:00");
  EXPECT_EQ(exif.RationalOf(exif_ifd, 0x829D), std::make_pair(DWORD{14}, DWORD{5}));
  EXPECT_EQ(exif.RationalOf(exif_ifd, 0x9205), std::make_pair(DWORD{3}, DWORD{1}));

  // The maker note as written: 88 bytes, the exposure's low byte at 31.
  const auto maker_note = exif.Find(exif_ifd, 0x927C);
  ASSERT_TRUE(maker_note);
  EXPECT_EQ(maker_note->count, 88u);
  const DWORD note = maker_note->Offset(exif);
  EXPECT_EQ(kTiffStart + note, 764u);
  EXPECT_EQ(exif.Text(note, 20), "SDIO Camera V0.87.19");
  EXPECT_EQ(Slice(header, kTiffStart + note + 20, 13),
            (std::vector<BYTE>{0xE0, 0xE0, 1, 2, 0xE1, 0xE1, 1, 2, 3, 0xE2, 0xE2, 0x12, 1}));
  EXPECT_EQ(Slice(header, kTiffStart + note + 76, 12),
            (std::vector<BYTE>{0xE6, 0xE6, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

  // What follows the maker note is found where the directory says.
  const auto sound = exif.Find(exif_ifd, 0xA004);
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->Offset(exif), note + 88);
  EXPECT_EQ(sound->count, 14u);
  EXPECT_EQ(exif.RationalOf(exif_ifd, 0xA215), std::make_pair(DWORD{0x312}, DWORD{1}));
  EXPECT_EQ(exif.RationalOf(exif_ifd, 0x920A), std::make_pair(DWORD{933}, DWORD{100}));
  EXPECT_EQ(exif.RationalOf(exif_ifd, 0xA20E), std::make_pair(DWORD{51837}, DWORD{10}));
  EXPECT_EQ(exif.RationalOf(exif_ifd, 0xA20F), std::make_pair(DWORD{51837}, DWORD{10}));
  const DWORD interoperability = exif.Long(exif.Find(exif_ifd, 0xA005)->value_at);
  EXPECT_EQ(kTiffStart + interoperability, 898u);
  EXPECT_EQ(exif.Word(interoperability), 2u);
  EXPECT_EQ(exif.Text(exif.Find(interoperability, 0x0001)->value_at, 4), "R98");
  EXPECT_EQ(exif.Text(exif.Find(interoperability, 0x0002)->value_at, 4), "0100");
  EXPECT_EQ(exif.Long(interoperability + 2 + 24), 0u) << "no next directory";
  EXPECT_EQ(kTiffStart + interoperability + 30, 928u) << "the tables follow";
}

TEST_F(StillHeaderTest, ModelTextShowsTheThreeGainsHighByteFirstInTheOrientationsOrder) {
  // Registers 32..39: four gains, low byte first.
  WriteGainRegisters({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08});
  State().orientation_flag = false;
  EXPECT_EQ(ModelText(), "040308070201") << "34/35, 38/39, 32/33";
  State().orientation_flag = true;
  EXPECT_EQ(ModelText(), "020104030605") << "32/33, 34/35, 36/37";
  const std::vector<BYTE> header = Header(6);
  EXPECT_EQ(Slice(header, 218 + 12, 4), (std::vector<BYTE>{0, 0, 0, 0})) << "NUL-padded";
}

TEST_F(StillHeaderTest, ModelTextChangesWithTheGainsAndKeepsItsOrderWhenTheSensorTurns) {
  ASSERT_TRUE(module_started_);
  ApplyOptions(device_handle_, Options(1, 0, 0));  // sun: 355, 256, 256, 365
  const std::string sun = ModelText();
  EXPECT_EQ(sun, "0100016d0163");
  ApplyOptions(device_handle_, Options(2, 0, 0));  // tungsten: 477, 256, 256, 256
  EXPECT_EQ(ModelText(), "0100010001dd");

  // The sensor mounted the other way round takes the gains in another
  // order; the text names the same logical gains.
  card_->SetOrientation(true);
  ASSERT_EQ(StartModule(device_handle_), 0);
  ASSERT_TRUE(State().orientation_flag);
  ApplyOptions(device_handle_, Options(1, 0, 0));
  EXPECT_EQ(ModelText(), sun);
}

}  // namespace
}  // namespace orsadrv::testing
