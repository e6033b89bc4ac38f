// The still header's APP1 segment: Exif data in big-endian TIFF form with
// IFD0, the Exif IFD, the maker note and the interoperability IFD. Every
// value sits at a fixed place; only the Model text, the exposure value and
// the frame size change from picture to picture.
#include <array>
#include <string_view>

#include "jpeg_header.h"

namespace orsadrv {

namespace {

// Offsets inside the TIFF data, which starts 12 bytes into the file.
constexpr std::size_t kTiffStart = 12;
constexpr DWORD kIfd0 = 8;
constexpr DWORD kIfd0Entries = 12;
constexpr DWORD kEntryBytes = 12;
constexpr DWORD IfdBytes(DWORD entries) { return 2 + entries * kEntryBytes + 4; }

constexpr DWORD kImageDescription = kIfd0 + IfdBytes(kIfd0Entries);
constexpr DWORD kImageDescriptionBytes = 32;
constexpr DWORD kMake = kImageDescription + kImageDescriptionBytes;
constexpr DWORD kTextBytes = 16;
constexpr DWORD kModel = kMake + kTextBytes;
constexpr DWORD kXResolution = kModel + kTextBytes;
constexpr DWORD kRationalBytes = 8;
constexpr DWORD kYResolution = kXResolution + kRationalBytes;
constexpr DWORD kSoftware = kYResolution + kRationalBytes;
constexpr DWORD kDateTime = kSoftware + kTextBytes;
constexpr DWORD kDateBytes = 20;
constexpr DWORD kCopyright = kDateTime + kDateBytes;

constexpr DWORD kExifIfd = kCopyright + kTextBytes;
constexpr DWORD kExifEntries = 30;
constexpr DWORD kExposureTime = kExifIfd + IfdBytes(kExifEntries);
constexpr DWORD kFNumber = kExposureTime + kRationalBytes;
constexpr DWORD kDateTimeOriginal = kFNumber + kRationalBytes;
constexpr DWORD kDateTimeDigitized = kDateTimeOriginal + kDateBytes;
constexpr DWORD kCompressedBitsPerPixel = kDateTimeDigitized + kDateBytes;
constexpr DWORD kShutterSpeed = kCompressedBitsPerPixel + kRationalBytes;
constexpr DWORD kAperture = kShutterSpeed + kRationalBytes;
constexpr DWORD kExposureBias = kAperture + kRationalBytes;
constexpr DWORD kMaxAperture = kExposureBias + kRationalBytes;
constexpr DWORD kMakerNote = kMaxAperture + kRationalBytes;
// The directory describes the maker note as written (88 bytes) and the
// values after it where they really stand, so that Exif readers find them;
// the segment keeps its length of 924.
constexpr DWORD kMakerNoteBytes = 88;
constexpr DWORD kRelatedSoundFile = kMakerNote + kMakerNoteBytes;
constexpr DWORD kRelatedSoundFileBytes = 14;
constexpr DWORD kExposureIndex = kRelatedSoundFile + kRelatedSoundFileBytes;
constexpr DWORD kFocalLength = kExposureIndex + kRationalBytes;
constexpr DWORD kFocalPlaneXResolution = kFocalLength + kRationalBytes;
constexpr DWORD kFocalPlaneYResolution = kFocalPlaneXResolution + kRationalBytes;
constexpr DWORD kInteroperabilityIfd = kFocalPlaneYResolution + kRationalBytes;
constexpr DWORD kInteroperabilityEntries = 2;
constexpr DWORD kTiffEnd = kInteroperabilityIfd + IfdBytes(kInteroperabilityEntries);

static_assert(kImageDescription == 158 && kExifIfd == 290 && kExposureTime == 656);
static_assert(kMakerNote == 752 && kRelatedSoundFile == 840 && kInteroperabilityIfd == 886);
static_assert(kTiffStart + kTiffEnd == kDqtSegmentOffset);

enum FieldType : WORD {
  kAscii = 2,
  kShort = 3,
  kLong = 4,
  kRational = 5,
  kUndefined = 7,
  kSignedRational = 10,
};

using Value = std::array<BYTE, 4>;

struct Entry {
  WORD tag;
  WORD type;
  DWORD count;
  Value value;  // the value itself when it fits, else its TIFF offset
};

// A SHORT stands in the first two value bytes.
constexpr Value Short(WORD value) {
  return {static_cast<BYTE>(value >> 8), static_cast<BYTE>(value), 0, 0};
}
constexpr Value Long(DWORD value) {
  return {static_cast<BYTE>(value >> 24), static_cast<BYTE>(value >> 16),
          static_cast<BYTE>(value >> 8), static_cast<BYTE>(value)};
}
constexpr Value Inline(std::string_view text) {
  Value value{};
  for (std::size_t i = 0; i < text.size() && i < value.size(); ++i) {
    value[i] = static_cast<BYTE>(text[i]);
  }
  return value;
}

constexpr std::string_view kImageDescriptionText = "QRM410 V0.87.22";
constexpr std::string_view kMakeText = "Kav Inc.";
constexpr std::string_view kSoftwareText = "SDIO QX V0.87";
constexpr std::string_view kDateText = "2003:09:01 00:00:00";
constexpr std::string_view kCopyrightText = "(C) Kav Inc.";
constexpr std::string_view kMakerNoteTitle = "SDIO Camera V0.87.19";

constexpr BYTE kTiffHeader[] = {0x4D, 0x4D, 0x00, 0x2A, 0x00, 0x00, 0x00, 0x08};
constexpr BYTE kExifIdentifier[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr BYTE kApp1Marker[] = {0xFF, 0xE1};

void WriteDirectory(HeaderWriter& out, std::span<const Entry> entries) {
  out.Word(static_cast<WORD>(entries.size()));
  for (const Entry& entry : entries) {
    out.Word(entry.tag);
    out.Word(entry.type);
    out.Long(entry.count);
    out.Bytes(entry.value);
  }
  out.Long(0);  // no next directory
}

void WriteIfd0(HeaderWriter& out, const ExifValues& values) {
  const Entry entries[] = {
      {0x010E, kAscii, kImageDescriptionBytes, Long(kImageDescription)},
      {0x010F, kAscii, kTextBytes, Long(kMake)},
      {0x0110, kAscii, kTextBytes, Long(kModel)},
      {0x0112, kShort, 1, Short(1)},  // Orientation
      {0x011A, kRational, 1, Long(kXResolution)},
      {0x011B, kRational, 1, Long(kYResolution)},
      {0x0128, kShort, 1, Short(2)},  // ResolutionUnit: inches
      {0x0131, kAscii, kTextBytes, Long(kSoftware)},
      {0x0132, kAscii, kDateBytes, Long(kDateTime)},
      {0x0213, kShort, 1, Short(1)},  // YCbCrPositioning
      {0x8298, kAscii, kTextBytes, Long(kCopyright)},
      {0x8769, kLong, 1, Long(kExifIfd)},
  };
  static_assert(std::size(entries) == kIfd0Entries);
  WriteDirectory(out, entries);
  out.Text(kImageDescriptionText, kImageDescriptionBytes);
  out.Text(kMakeText, kTextBytes);
  out.Text(std::string_view(values.model.data(), values.model.size()), kTextBytes);
  out.Rational(100, 1);
  out.Rational(100, 1);
  out.Text(kSoftwareText, kTextBytes);
  out.Text(kDateText, kDateBytes);
  out.Text(kCopyrightText, kTextBytes);
}

void WriteMakerNote(HeaderWriter& out, WORD exposure) {
  out.Text(kMakerNoteTitle, kMakerNoteTitle.size());
  // clang-format off
  const BYTE fields[] = {
      0xE0, 0xE0, 1, 2,
      0xE1, 0xE1, 1, 2, 3,
      0xE2, 0xE2, static_cast<BYTE>(exposure), 0x01, 0x02, 0x11, 0x12, 0x21, 0x22, 0x31, 0x32,
      0x41, 0x42,
      0xE3, 0xE3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
      0xE4, 0xE4, 1, 2, 3, 4, 5, 6, 7, 8,
      0xE5, 0xE5, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
      0xE6, 0xE6, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
  };
  // clang-format on
  static_assert(kMakerNoteTitle.size() + std::size(fields) == kMakerNoteBytes);
  out.Bytes(fields);
}

void WriteExifIfd(HeaderWriter& out, const ExifValues& values) {
  // Stored in this order, not sorted by tag.
  const Entry entries[] = {
      {0x829A, kRational, 1, Long(kExposureTime)},
      {0x829D, kRational, 1, Long(kFNumber)},
      {0x8822, kShort, 1, Short(2)},    // ExposureProgram: normal
      {0x8827, kShort, 1, Short(100)},  // ISOSpeedRatings
      {0x9000, kUndefined, 4, Inline("0210")},
      {0x9003, kAscii, kDateBytes, Long(kDateTimeOriginal)},
      {0x9004, kAscii, kDateBytes, Long(kDateTimeDigitized)},
      {0x9101, kUndefined, 4, Value{1, 2, 3, 0}},  // ComponentsConfiguration: Y Cb Cr
      {0x9102, kRational, 1, Long(kCompressedBitsPerPixel)},
      {0x9201, kSignedRational, 1, Long(kShutterSpeed)},
      {0x9202, kRational, 1, Long(kAperture)},
      {0x9204, kSignedRational, 1, Long(kExposureBias)},
      {0x9205, kRational, 1, Long(kMaxAperture)},
      {0x9207, kShort, 1, Short(2)},       // MeteringMode: centre-weighted
      {0x9208, kShort, 1, Short(1)},       // LightSource: daylight
      {0x9209, kShort, 1, Short(0xBFFB)},  // Flash
      {0x927C, kUndefined, kMakerNoteBytes, Long(kMakerNote)},
      {0xA001, kShort, 1, Short(1)},  // ColorSpace: sRGB
      {0xA002, kLong, 1, Long(values.frame.width)},
      {0xA003, kLong, 1, Long(values.frame.height)},
      {0xA004, kAscii, kRelatedSoundFileBytes, Long(kRelatedSoundFile)},
      {0xA215, kRational, 1, Long(kExposureIndex)},
      {0xA217, kShort, 1, Short(2)},               // SensingMethod: one-chip colour area
      {0xA300, kUndefined, 1, Value{0, 3, 0, 0}},  // FileSource
      {0xA301, kUndefined, 1, Value{0, 1, 0, 1}},  // SceneType
      {0x920A, kRational, 1, Long(kFocalLength)},
      {0xA20E, kRational, 1, Long(kFocalPlaneXResolution)},
      {0xA20F, kRational, 1, Long(kFocalPlaneYResolution)},
      {0xA210, kShort, 1, Short(2)},  // FocalPlaneResolutionUnit: inches
      {0xA005, kLong, 1, Long(kInteroperabilityIfd)},
  };
  static_assert(std::size(entries) == kExifEntries);
  WriteDirectory(out, entries);
  out.Rational(1, 1'000'000);  // ExposureTime
  out.Rational(14, 5);         // FNumber
  out.Text(kDateText, kDateBytes);
  out.Text(kDateText, kDateBytes);
  out.Rational(2, 1);          // CompressedBitsPerPixel
  out.Rational(1, 1'000'000);  // ShutterSpeedValue
  out.Rational(3, 1);          // ApertureValue
  out.Rational(0, 1);          // ExposureBiasValue
  out.Rational(3, 1);          // MaxApertureValue
  WriteMakerNote(out, values.exposure);
  out.Zeros(kRelatedSoundFileBytes);
  out.Rational(values.exposure, 1);  // ExposureIndex
  out.Rational(933, 100);            // FocalLength
  out.Rational(51837, 10);           // FocalPlaneXResolution
  out.Rational(51837, 10);           // FocalPlaneYResolution
}

void WriteInteroperabilityIfd(HeaderWriter& out) {
  const Entry entries[] = {
      {0x0001, kAscii, 4, Inline("R98")},
      {0x0002, kUndefined, 4, Inline("0100")},
  };
  static_assert(std::size(entries) == kInteroperabilityEntries);
  WriteDirectory(out, entries);
}

}  // namespace

void WriteExifSegment(HeaderWriter& out, const ExifValues& values) {
  out.Bytes(kApp1Marker);
  out.Word(static_cast<WORD>(kExifSegmentBytes - 2));
  out.Bytes(kExifIdentifier);
  out.Bytes(kTiffHeader);
  WriteIfd0(out, values);
  WriteExifIfd(out, values);
  WriteInteroperabilityIfd(out);
}

}  // namespace orsadrv
