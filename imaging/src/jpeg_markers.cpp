#include "jpeg_markers.h"

#include <algorithm>

namespace imaging {

namespace {

constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kComment = 0xFE;

bool IsApplicationSegment(std::uint8_t marker) { return marker >= 0xE0 && marker <= 0xEF; }

// Markers that stand alone, without a length field.
bool IsStandalone(std::uint8_t marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// The start-of-frame markers C0-CF, less DHT (C4), JPG (C8) and DAC (CC).
bool IsStartOfFrame(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::size_t BigEndian16(std::span<const std::uint8_t> data, std::size_t at) {
  return (std::size_t{data[at]} << 8) | data[at + 1];
}

void AppendComment(std::string_view text, std::vector<std::uint8_t>* out) {
  const std::size_t length = text.size() + 2;
  out->insert(out->end(), {0xFF, kComment, static_cast<std::uint8_t>(length >> 8),
                           static_cast<std::uint8_t>(length)});
  out->insert(out->end(), text.begin(), text.end());
}

}  // namespace

std::optional<JpegHeader> ParseJpegHeader(std::span<const std::uint8_t> data) {
  if (data.size() < 4 || data[0] != 0xFF || data[1] != kStartOfImage) return std::nullopt;
  JpegHeader header;
  std::size_t at = 2;
  while (true) {
    if (at >= data.size() || data[at] != 0xFF) return std::nullopt;
    const std::size_t offset = at;
    // Any number of fill bytes may precede a marker.
    while (at < data.size() && data[at] == 0xFF) ++at;
    if (at >= data.size()) return std::nullopt;
    const std::uint8_t marker = data[at++];
    if (marker == 0x00 || marker == kStartOfImage || marker == kEndOfImage) return std::nullopt;
    if (marker == kStartOfScan) {
      header.scan_offset = offset;
      // A file cut short loses its end-of-image marker.
      const std::uint8_t end[] = {0xFF, kEndOfImage};
      const auto rest = data.subspan(at);
      if (std::search(rest.begin(), rest.end(), std::begin(end), std::end(end)) == rest.end()) {
        return std::nullopt;
      }
      return header;
    }
    if (IsStandalone(marker)) {
      header.segments.push_back({marker, offset, at - offset, at});
      continue;
    }
    if (data.size() - at < 2) return std::nullopt;
    const std::size_t length = BigEndian16(data, at);
    if (length < 2 || data.size() - at < length) return std::nullopt;
    if (IsStartOfFrame(marker) && !header.frame) {
      // Precision, height, width.
      if (length < 7) return std::nullopt;
      header.frame = Size{static_cast<int>(BigEndian16(data, at + 5)),
                          static_cast<int>(BigEndian16(data, at + 3))};
    }
    const std::size_t payload = at + 2;
    at += length;
    header.segments.push_back({marker, offset, at - offset, payload});
  }
}

std::optional<std::string> ReadJpegComment(std::span<const std::uint8_t> data) {
  const std::optional<JpegHeader> header = ParseJpegHeader(data);
  if (!header) return std::nullopt;
  for (const JpegHeader::Segment& segment : header->segments) {
    if (segment.marker != kComment) continue;
    const std::span<const std::uint8_t> payload =
        data.subspan(segment.payload, segment.offset + segment.size - segment.payload);
    const auto end = std::find(payload.begin(), payload.end(), std::uint8_t{0});
    std::string text(payload.begin(), end);
    if (!text.empty()) return text;
  }
  return std::string();
}

std::optional<std::vector<std::uint8_t>> WithJpegComment(std::span<const std::uint8_t> data,
                                                         std::string_view text) {
  if (text.size() > kMaxCommentBytes) return std::nullopt;
  const std::optional<JpegHeader> header = ParseJpegHeader(data);
  if (!header) return std::nullopt;
  std::vector<std::uint8_t> result;
  result.reserve(data.size() + text.size() + 4);
  result.insert(result.end(), data.begin(), data.begin() + 2);
  const auto append = [&](const JpegHeader::Segment& segment) {
    const auto from = data.begin() + static_cast<std::ptrdiff_t>(segment.offset);
    result.insert(result.end(), from, from + static_cast<std::ptrdiff_t>(segment.size));
  };
  bool placed = text.empty();
  for (const JpegHeader::Segment& segment : header->segments) {
    if (!placed && !IsApplicationSegment(segment.marker)) {
      AppendComment(text, &result);
      placed = true;
    }
    if (segment.marker != kComment) append(segment);
  }
  // A header of application segments alone still gets its comment ahead of
  // the scan.
  if (!placed) AppendComment(text, &result);
  result.insert(result.end(), data.begin() + static_cast<std::ptrdiff_t>(header->scan_offset),
                data.end());
  return result;
}

}  // namespace imaging
