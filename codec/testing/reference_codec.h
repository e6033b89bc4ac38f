// The reference codec for tests, benchmarks and the fuzz corpus: encodes
// pictures with the standard Huffman tables and decodes them again, both with
// the system's JPEG library.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace codec::testing {

enum class Subsampling { k444, k422, k420 };
const char* SubsamplingName(Subsampling subsampling);

// 8-bit interleaved samples: R, G, B (or Y, Cb, Cr; or one grey sample).
struct Image {
  int width = 0;
  int height = 0;
  int channels = 3;
  std::vector<uint8_t> samples;
  uint8_t* At(int x, int y) {
    return samples.data() + (static_cast<size_t>(y) * width + x) * channels;
  }
  const uint8_t* At(int x, int y) const {
    return samples.data() + (static_cast<size_t>(y) * width + x) * channels;
  }
};

// Luminance and chrominance quantisation tables in zigzag order, as a DQT
// segment stores them.
struct QuantTables {
  std::array<uint8_t, 64> luma;
  std::array<uint8_t, 64> chroma;
};

struct EncodeOptions {
  Subsampling subsampling = Subsampling::k444;
  int quality = 75;                   // used when `tables` is empty
  std::optional<QuantTables> tables;  // exact tables, e.g. the camera's
  int restart_interval = 0;           // in MCUs
  bool progressive = false;
  bool input_is_ycbcr = false;  // samples are Y, Cb, Cr already
};

// Encodes a 3-channel image (or a 1-channel one as grey).
std::vector<uint8_t> EncodeJpeg(const Image& image, const EncodeOptions& options);

// Decodes with the reference library at scale `numerator`/8 into R, G, B
// samples. Chroma is replicated, not interpolated, as the decoder under test
// does. Returns an empty image when the reference refuses the file.
Image DecodeReference(const std::vector<uint8_t>& jpeg, int numerator = 8);

}  // namespace codec::testing
