// The JPEG segments after the Exif data: quantisation tables, frame header,
// the standard Huffman tables (the module codes every scan with them) and
// the scan header.
#include "codec/standard_huffman_tables.h"
#include "jpeg_header.h"
#include "quality_tables.h"

namespace orsadrv {

namespace {

constexpr BYTE kDqtMarker[] = {0xFF, 0xDB};
constexpr BYTE kSofMarker[] = {0xFF, 0xC0};
static_assert(kHuffmanSegmentBytes == codec::kStandardHuffmanSegmentBytes);

constexpr BYTE kScanHeader[] = {0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00,
                                0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00};

}  // namespace

void WriteQuantisationTables(HeaderWriter& out, int quality_index) {
  const auto values = DqtValues(quality_index);
  out.Bytes(kDqtMarker);
  out.Word(kDqtSegmentBytes - 2);
  out.Byte(0);  // table 0, 8-bit steps: luminance
  out.Bytes(values.first<64>());
  out.Byte(1);  // table 1: chrominance
  out.Bytes(values.last<64>());
}

void WriteFrameHeader(HeaderWriter& out, const StillFrame& frame) {
  out.Bytes(kSofMarker);
  out.Word(kFrameHeaderBytes - 2);
  out.Byte(8);  // bits per sample
  out.Word(frame.height);
  out.Word(frame.width);
  out.Byte(3);
  // Y with the frame's sampling and table 0; Cb and Cr 1x1 with table 1.
  const BYTE components[] = {1, frame.luma_sampling, 0, 2, 0x11, 1, 3, 0x11, 1};
  out.Bytes(components);
}

void WriteHuffmanTables(HeaderWriter& out) {
  out.Bytes(codec::StandardHuffmanSegment(codec::kHuffmanLuminanceFirstOrder));
}

void WriteScanHeader(HeaderWriter& out) { out.Bytes(kScanHeader); }

}  // namespace orsadrv
