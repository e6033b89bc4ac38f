// Making the card's scans whole and looking at the pictures: the preview
// header that goes in front of a preview scan, a still header with the
// standard Huffman tables, and decoding with libjpeg-turbo.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "card/rgb_image.h"

namespace card::testing {

// The 170-byte header of a preview scan: quality-2 tables, the size, luma
// sampling 0x11 or 0x22, a stray zero byte, the scan header; no Huffman
// tables.
std::vector<std::uint8_t> PreviewHeader(int width, int height, int luma_sampling);
// A 1,515-byte still header: SOI, an APP1 of 924 bytes, the quantisation
// tables of the quality index, SOF0, the standard Huffman tables, SOS.
std::vector<std::uint8_t> StillHeader(int width, int height, int luma_sampling, int quality);

struct Picture : RgbImage {
  // Means over a rectangle (the whole picture by default).
  double MeanLuminance() const;
  void MeanColour(double* red, double* green, double* blue, int x = 0, int y = 0, int w = -1,
                  int h = -1) const;
};

// Decodes one JPEG image; nothing when libjpeg-turbo refuses it.
std::optional<Picture> Decode(const std::vector<std::uint8_t>& jpeg);
// Header plus scan.
std::optional<Picture> DecodeWith(const std::vector<std::uint8_t>& header,
                                  const std::vector<std::uint8_t>& scan);

}  // namespace card::testing
