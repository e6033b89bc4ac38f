// Appending little-endian fields to a byte buffer, the way every size and
// header field of the clip file is stored.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "recording/avi_formats.h"

namespace recording {

inline void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void PutFourCc(std::vector<std::uint8_t>& out, const FourCc& code) {
  for (char c : code) out.push_back(static_cast<std::uint8_t>(c));
}

inline void PutBytes(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace recording
