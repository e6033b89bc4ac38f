// Lossless quarter turns of JPEG files through libjpeg-turbo's transform
// interface: the coefficients are moved, never decoded and re-encoded.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace imaging {

// The file turned a quarter counter-clockwise (0) or clockwise (1), every
// other segment (Exif, comments) kept. When the picture's size is not a
// whole number of coding blocks, the partial blocks at the edges that would
// come to the top or left are trimmed, as they cannot be turned without
// loss. Empty for damaged data or a picture too large for memory.
std::optional<std::vector<std::uint8_t>> TurnJpeg(std::span<const std::uint8_t> data,
                                                  int direction);

}  // namespace imaging
