// The pieces of the still header, in file order: the Exif segment (APP1),
// then the quantisation tables, the frame header, the Huffman tables and
// the scan header. Each writer puts exactly its segment's bytes.
#pragma once

#include <array>
#include <optional>

#include "jpeg_header_writer.h"

namespace orsadrv {

// File offsets of the header's segments.
inline constexpr std::size_t kExifSegmentOffset = 2;
inline constexpr std::size_t kExifSegmentBytes = 926;  // marker, length 924, data
inline constexpr std::size_t kDqtSegmentOffset = 928;
inline constexpr std::size_t kDqtSegmentBytes = 134;
inline constexpr std::size_t kFrameHeaderOffset = 1062;
inline constexpr std::size_t kFrameHeaderBytes = 19;
inline constexpr std::size_t kHuffmanSegmentOffset = 1081;
inline constexpr std::size_t kHuffmanSegmentBytes = 420;
inline constexpr std::size_t kScanHeaderOffset = 1501;
inline constexpr std::size_t kScanHeaderBytes = 14;

// The frame a header code describes: its bits 0x70 give the size, bits 0x0C
// the sampling of component 1.
struct StillFrame {
  WORD width = 0;
  WORD height = 0;
  BYTE luma_sampling = 0x22;  // horizontal factor high nibble, vertical low
};
// The header code of a capture type; none for a type the camera never
// writes a still file of.
std::optional<BYTE> HeaderCode(BYTE type);
StillFrame FrameOfHeaderCode(BYTE code);

// The values of one picture that the Exif data carries.
struct ExifValues {
  // Twelve hex digits of the colour gains, NUL-padded.
  std::array<char, 16> model{};
  WORD exposure = 0;
  StillFrame frame;
};

void WriteExifSegment(HeaderWriter& out, const ExifValues& values);
void WriteQuantisationTables(HeaderWriter& out, int quality_index);
void WriteFrameHeader(HeaderWriter& out, const StillFrame& frame);
void WriteHuffmanTables(HeaderWriter& out);
void WriteScanHeader(HeaderWriter& out);

}  // namespace orsadrv
