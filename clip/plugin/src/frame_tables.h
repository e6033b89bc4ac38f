// Clip frames carry the camera's short JPEG header, which has no Huffman
// tables; before a frame is decoded the standard tables are put in front of
// its scan.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace clip {

// The largest frame a clip holds: the camera's header and a scan of at most
// the card's preview buffer.
inline constexpr std::size_t kMaxFrameBytes = 170 + 153'600;

// The DHT segment of the standard tables in the order DC 0, AC 0, DC 1,
// AC 1: the same 420 bytes as the still pictures' header carries.
std::span<const std::uint8_t> ClipHuffmanSegment();

// Copies `frame` into *decodable with the table segment put just before its
// scan, unless the frame defines tables of its own. False when the frame is
// larger than kMaxFrameBytes or its header ends before a scan starts.
bool MakeFrameDecodable(std::span<const std::uint8_t> frame, std::vector<std::uint8_t>* decodable);

}  // namespace clip
