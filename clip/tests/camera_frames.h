// Frames as the camera records them (its 170-byte header without Huffman
// tables in front of the card's scan) and PCM sound as WAV files.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "reference_codec.h"
#include "test_images.h"

namespace clip::testing {

inline std::vector<std::uint8_t> CameraFrame(int width, int height, int seed) {
  using namespace codec::testing;
  EncodeOptions options;
  options.subsampling = Subsampling::k444;
  options.tables = CameraTables(2);
  std::vector<std::uint8_t> frame = PreviewHeader(width, height, Subsampling::k444);
  const std::vector<std::uint8_t> scan =
      ScanData(EncodeJpeg(MakeScene(width, height, seed), options));
  frame.insert(frame.end(), scan.begin(), scan.end());
  return frame;
}

// 16-bit mono samples of a tone at 8,000 Hz.
inline std::vector<std::uint8_t> ToneSamples(std::size_t samples) {
  std::vector<std::uint8_t> data;
  for (std::size_t i = 0; i < samples; ++i) {
    const auto value = static_cast<std::int16_t>(8000 * std::sin(i * 2 * 3.14159265 * 440 / 8000));
    data.push_back(static_cast<std::uint8_t>(value));
    data.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) >> 8));
  }
  return data;
}

inline std::vector<std::uint8_t> Wav16Mono8k(const std::vector<std::uint8_t>& samples) {
  const auto size = static_cast<std::uint32_t>(samples.size());
  std::vector<std::uint8_t> out(44 + samples.size(), 0);
  const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  const auto text = [&](std::size_t at, const char* t) { std::copy(t, t + 4, out.begin() + at); };
  text(0, "RIFF");
  put(4, 36 + size, 4);
  text(8, "WAVE");
  text(12, "fmt ");
  put(16, 16, 4);
  put(20, 1, 2);      // PCM
  put(22, 1, 2);      // mono
  put(24, 8000, 4);   // samples per second
  put(28, 16000, 4);  // bytes per second
  put(32, 2, 2);      // block align
  put(34, 16, 2);     // bits
  text(36, "data");
  put(40, size, 4);
  std::copy(samples.begin(), samples.end(), out.begin() + 44);
  return out;
}

}  // namespace clip::testing
