#include <cstring>

#include "decoders.h"

namespace imaging {

ImageFormat SniffFormat(std::span<const std::uint8_t> data) {
  const auto starts_with = [&](const char* signature, std::size_t size) {
    return data.size() >= size && std::memcmp(data.data(), signature, size) == 0;
  };
  if (starts_with("\xFF\xD8\xFF", 3)) return kFormatJpeg;
  if (starts_with("\x89PNG\r\n\x1A\n", 8)) return kFormatPng;
  if (starts_with("GIF87a", 6) || starts_with("GIF89a", 6)) return kFormatGif;
  if (starts_with("BM", 2)) {
    // The bit count sits at byte 24 behind the old 12-byte core header and
    // at byte 28 behind the newer ones.
    const std::size_t header_size = data.size() >= 18
                                        ? (data[14] | (data[15] << 8) | (data[16] << 16) |
                                           (static_cast<std::size_t>(data[17]) << 24))
                                        : 0;
    const std::size_t bits_at = header_size == 12 ? 24 : 28;
    if (data.size() >= bits_at + 2 && data[bits_at] == 2 && data[bits_at + 1] == 0) {
      return kFormat2bp;
    }
    return kFormatBmp;
  }
  return kFormatNone;
}

}  // namespace imaging
