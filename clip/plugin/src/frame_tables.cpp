#include "frame_tables.h"

#include "codec/standard_huffman_tables.h"

namespace clip {

namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kHuffmanTables = 0xC4;
constexpr std::uint8_t kStartOfScan = 0xDA;

struct HeaderScan {
  std::size_t scan_start = 0;  // offset of the FF DA marker
  bool has_tables = false;
};

// Walks the header's segments up to the scan. Bytes between segments that
// are no marker (the camera puts one 0x00 before its scan) are passed over.
bool FindScan(std::span<const std::uint8_t> frame, HeaderScan* found) {
  if (frame.size() < 2 || frame[0] != kMarker || frame[1] != kStartOfImage) return false;
  std::size_t at = 2;
  while (at + 1 < frame.size()) {
    if (frame[at] != kMarker) {
      ++at;
      continue;
    }
    const std::uint8_t code = frame[at + 1];
    if (code == kMarker) {  // fill byte
      ++at;
      continue;
    }
    if (code == kStartOfScan) {
      found->scan_start = at;
      return true;
    }
    if (at + 3 >= frame.size()) return false;
    const std::size_t length = std::size_t{frame[at + 2]} << 8 | frame[at + 3];
    if (length < 2) return false;
    if (code == kHuffmanTables) found->has_tables = true;
    at += 2 + length;
  }
  return false;
}

}  // namespace

std::span<const std::uint8_t> ClipHuffmanSegment() {
  static const std::vector<std::uint8_t> segment =
      codec::StandardHuffmanSegment(codec::kHuffmanLuminanceFirstOrder);
  return segment;
}

bool MakeFrameDecodable(std::span<const std::uint8_t> frame, std::vector<std::uint8_t>* decodable) {
  if (frame.size() > kMaxFrameBytes) return false;
  HeaderScan header;
  if (!FindScan(frame, &header)) return false;
  decodable->clear();
  decodable->reserve(frame.size() + ClipHuffmanSegment().size());
  decodable->insert(decodable->end(), frame.begin(), frame.begin() + header.scan_start);
  if (!header.has_tables) {
    const std::span<const std::uint8_t> segment = ClipHuffmanSegment();
    decodable->insert(decodable->end(), segment.begin(), segment.end());
  }
  decodable->insert(decodable->end(), frame.begin() + header.scan_start, frame.end());
  return true;
}

}  // namespace clip
