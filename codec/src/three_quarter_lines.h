// The samples of the pixels that the three-quarter converters keep, laid out
// one per output pixel for ColourLine: of each group of four source pixels the
// first three. `groups` groups give 3 x groups samples; `dst` must have room
// for kGatherSlack bytes beyond them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "chroma_sampling.h"
#include "colour_lines.h"
#include "resampling.h"

namespace codec {

inline constexpr int kGatherSlack = 16;

// Samples 4k, 4k+1 and 4k+2 of every four (luma, and chroma at full width).
void KeepThreeOfFour(const uint8_t* src, int groups, uint8_t* dst);

// Chroma at half width (one sample per two source pixels) for the three
// pixels of group k: samples 2k, 2k, 2k (the group's first pair) or 2k, 2k,
// 2k+1 (each pixel its own pair).
enum class PairRule { kFirstPair, kOwnPair };
void SpreadChromaPairs(const uint8_t* src, int groups, PairRule rule, uint8_t* dst);

// One kept line of a three-quarter converter: the kept luma samples with the
// chroma that each kept pixel takes (full-width chroma as the luma; half-width
// chroma by `rule`), converted into `groups` x 3 pixels at `dst`.
template <class Pixel, class Sampling>
void ConvertThreeQuarterLine(const uint8_t* luma, const ChromaLine<Sampling>& chroma, int groups,
                             PairRule rule, uint8_t* dst) {
  alignas(16) uint8_t y[kMaxOutputWidth + kGatherSlack];
  alignas(16) uint8_t cb[kMaxOutputWidth + kGatherSlack];
  alignas(16) uint8_t cr[kMaxOutputWidth + kGatherSlack];
  KeepThreeOfFour(luma, groups, y);
  if constexpr (Sampling::kHShift == 0) {
    KeepThreeOfFour(chroma.cb, groups, cb);
    KeepThreeOfFour(chroma.cr, groups, cr);
  } else {
    SpreadChromaPairs(chroma.cb, groups, rule, cb);
    SpreadChromaPairs(chroma.cr, groups, rule, cr);
  }
  ColourLine<Pixel, 0>(y, cb, cr, 3 * groups, dst);
}

// One MCU row through a three-quarter converter: `keep_line(y)` says whether
// source line y of the row yields an output line; each kept line takes its
// chroma by `rule`. Returns the bytes written.
template <class Pixel, class Sampling, class KeepLine>
size_t ConvertThreeQuarterBand(const BandInput& in, ResamplingState& state, uint8_t* band,
                               PairRule rule, KeepLine keep_line) {
  const int groups = state.output_width / 3;
  const size_t line_bytes = static_cast<size_t>(state.output_width) * Pixel::kBytes;
  uint8_t* dst = band;
  for (int y = 0; y < in.lines; ++y) {
    if (!keep_line(y)) continue;
    ConvertThreeQuarterLine<Pixel>(in.y + y * in.y_stride, ChromaLine<Sampling>(in, y), groups,
                                   rule, dst);
    dst += line_bytes;
  }
  state.source_line += static_cast<uint32_t>(in.lines);
  return static_cast<size_t>(dst - band);
}

}  // namespace codec
