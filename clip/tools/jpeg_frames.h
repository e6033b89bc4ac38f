// The JPEG frames of a clip: the camera's frames carry no Huffman tables
// (every reader of them uses the standard ones), so the tool puts the
// standard tables in before other programs see them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orsa_avi {

struct FrameSize {
  int width = 0;
  int height = 0;
};

// `frame` with the standard Huffman table segment inserted before its scan
// when no DHT segment comes before it; otherwise unchanged.
std::vector<std::uint8_t> WithStandardHuffmanTables(std::span<const std::uint8_t> frame);

// Width and height from the frame header, when there is one before the scan.
std::optional<FrameSize> JpegFrameSize(std::span<const std::uint8_t> frame);

}  // namespace orsa_avi
