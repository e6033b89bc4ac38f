// The segments of a JPEG file ahead of its first scan: where the comment
// is, how large the frame is, and the file again with another comment.
// Works on bytes in memory; everything from the first scan on is kept as it
// stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fit.h"

namespace imaging {

// A comment segment holds at most this many bytes.
inline constexpr std::size_t kMaxCommentBytes = 65533;

struct JpegHeader {
  struct Segment {
    std::uint8_t marker = 0;
    std::size_t offset = 0;   // of its FF
    std::size_t size = 0;     // fill bytes, marker, length field and payload
    std::size_t payload = 0;  // where the payload starts
  };
  std::vector<Segment> segments;  // after the start-of-image marker
  std::size_t scan_offset = 0;    // where the first scan's marker starts
  std::optional<Size> frame;      // from the start-of-frame segment
};

// Walks the segments up to the first scan. Empty when the bytes do not
// start a JPEG file, a segment runs past the end or is malformed, or no
// end-of-image marker follows the scan (a file cut short).
std::optional<JpegHeader> ParseJpegHeader(std::span<const std::uint8_t> data);

// The first comment's text, up to its first zero byte; empty when the file
// has no comment. Empty optional when the header cannot be parsed.
std::optional<std::string> ReadJpegComment(std::span<const std::uint8_t> data);

// The file with every comment segment ahead of the scan removed and, when
// `text` is not empty, one comment holding it placed after the application
// segments. Empty when the header cannot be parsed or the text is longer
// than kMaxCommentBytes.
std::optional<std::vector<std::uint8_t>> WithJpegComment(std::span<const std::uint8_t> data,
                                                         std::string_view text);

}  // namespace imaging
