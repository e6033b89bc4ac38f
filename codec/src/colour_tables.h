// Fixed tables of the YCbCr to RGB conversion, in quarter levels: a pixel's
// red is clamp[luma[Y] + cr_red[Cr]], green clamp[luma[Y] + cb_green[Cb] +
// cr_green[Cr]], blue clamp[luma[Y] + cb_blue[Cb]]. Built at compile time.
#pragma once

#include <array>
#include <cstdint>

namespace codec {

struct ColourTables {
  std::array<int32_t, 256> luma{};
  std::array<int32_t, 256> cr_red{};
  std::array<int32_t, 256> cb_green{};
  std::array<int32_t, 256> cr_green{};
  std::array<int32_t, 256> cb_blue{};
  std::array<uint16_t, 256> red565{};
  std::array<uint16_t, 256> green565{};
  std::array<uint16_t, 256> blue565{};
  // Quarter-level sum to byte, indexed from kClampOffset below zero.
  std::array<uint8_t, 3072> clamp{};
};

inline constexpr int kClampOffset = 1024;

namespace colour_detail {

// Rounds halves away from zero.
constexpr int32_t Round(double value) {
  return value >= 0 ? static_cast<int32_t>(value + 0.5) : -static_cast<int32_t>(-value + 0.5);
}

constexpr ColourTables Build() {
  ColourTables t;
  for (int v = 0; v < 256; ++v) {
    const double centred = v - 128;
    t.luma[v] = 4 * v;
    t.cr_red[v] = Round(4 * 1.402 * centred);
    t.cb_green[v] = Round(-4 * 0.344136 * centred);
    t.cr_green[v] = Round(-4 * 0.714136 * centred);
    t.cb_blue[v] = Round(4 * 1.772 * centred);
    t.red565[v] = static_cast<uint16_t>((v >> 3) << 11);
    t.green565[v] = static_cast<uint16_t>((v >> 2) << 5);
    t.blue565[v] = static_cast<uint16_t>(v >> 3);
  }
  for (int i = -kClampOffset; i < 2048; ++i) {
    t.clamp[i + kClampOffset] = static_cast<uint8_t>(i < 0 ? 0 : i > 1023 ? 255 : i >> 2);
  }
  return t;
}

}  // namespace colour_detail

inline constexpr ColourTables kColour = colour_detail::Build();

// The chroma contributions of one Cb/Cr pair, shared by the luma samples that
// use it.
struct ChromaTerms {
  int32_t red;
  int32_t green;
  int32_t blue;
};

inline ChromaTerms TermsOf(uint8_t cb, uint8_t cr) {
  return {kColour.cr_red[cr], kColour.cb_green[cb] + kColour.cr_green[cr], kColour.cb_blue[cb]};
}

inline uint8_t ClampQuarter(int32_t quarter_levels) {
  return kColour.clamp[static_cast<uint32_t>(quarter_levels + kClampOffset)];
}

}  // namespace codec
