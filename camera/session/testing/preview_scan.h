// Preview frames as the driver delivers them: the entropy-coded scan of a
// baseline image made with the preview headers' tables, ending in FF D9.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace camera::testing {

// A scan of a picture (width x height pixels, red, green, blue bytes)
// compressed by libjpeg-turbo with the headers' quantisation tables and
// the standard Huffman tables; luma sampling 0x11 or 0x22.
std::vector<std::uint8_t> PictureScan(int width, int height, int luma_sampling,
                                      const std::vector<std::uint8_t>& rgb);

// A scan of a uniform picture (red, green, blue) of the given size and luma
// sampling.
std::vector<std::uint8_t> UniformScan(int width, int height, int luma_sampling, std::uint8_t red,
                                      std::uint8_t green, std::uint8_t blue);

// A test card: a diagonal gradient with coloured blocks, the same every
// time.
std::vector<std::uint8_t> TestCardPicture(int width, int height);

// The scan followed by zero bytes up to `size` bytes in all.
std::vector<std::uint8_t> PaddedTo(std::vector<std::uint8_t> scan, std::size_t size);

}  // namespace camera::testing
