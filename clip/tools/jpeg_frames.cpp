#include "jpeg_frames.h"

#include "codec/standard_huffman_tables.h"

namespace orsa_avi {

namespace {

struct MarkerWalk {
  std::optional<std::size_t> scan;  // offset of FF DA
  bool has_tables = false;
  std::optional<FrameSize> size;
};

// Walks the segments from SOI to the first SOS. Bytes between segments that
// are not a marker (the camera's frames have one after the frame header)
// are stepped over.
MarkerWalk Walk(std::span<const std::uint8_t> jpeg) {
  MarkerWalk walk;
  if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return walk;
  std::size_t at = 2;
  while (at + 4 <= jpeg.size()) {
    if (jpeg[at] != 0xFF || jpeg[at + 1] == 0xFF || jpeg[at + 1] == 0x00) {
      ++at;
      continue;
    }
    const std::uint8_t marker = jpeg[at + 1];
    if (marker == 0xDA) {
      walk.scan = at;
      break;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;
      continue;
    }
    const std::size_t length = jpeg[at + 2] << 8 | jpeg[at + 3];
    if (marker == 0xC4) walk.has_tables = true;
    if ((marker == 0xC0 || marker == 0xC1 || marker == 0xC2) && length >= 7 &&
        at + 9 <= jpeg.size()) {
      walk.size = FrameSize{jpeg[at + 7] << 8 | jpeg[at + 8], jpeg[at + 5] << 8 | jpeg[at + 6]};
    }
    at += 2 + length;
  }
  return walk;
}

}  // namespace

std::vector<std::uint8_t> WithStandardHuffmanTables(std::span<const std::uint8_t> frame) {
  const MarkerWalk walk = Walk(frame);
  std::vector<std::uint8_t> out(frame.begin(), frame.end());
  if (walk.scan && !walk.has_tables) {
    const std::span<const std::uint8_t> tables = codec::StandardHuffmanSegment();
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(*walk.scan), tables.begin(), tables.end());
  }
  return out;
}

std::optional<FrameSize> JpegFrameSize(std::span<const std::uint8_t> frame) {
  return Walk(frame).size;
}

}  // namespace orsa_avi
