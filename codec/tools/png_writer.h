// Writes 8-bit RGB pictures as PNG files (uncompressed deflate blocks).
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace codec::tools {

// `rgb` holds width x height pixels of R, G, B. False when the file cannot
// be written.
bool WritePng(const std::string& path, int width, int height, std::span<const uint8_t> rgb);

}  // namespace codec::tools
