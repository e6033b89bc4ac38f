// A decoded picture as rows of red, green and blue bytes, and decoding a
// JPEG image into one with libjpeg-turbo: for scenes made from still
// pictures and for looking at what the card sends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace card {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // red first, rows top to bottom
};

// Nothing when libjpeg-turbo refuses the image.
std::optional<RgbImage> DecodeJpegToRgb(const std::uint8_t* bytes, std::size_t size);

}  // namespace card
