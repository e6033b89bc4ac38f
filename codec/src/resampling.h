// Resampling of the reduced planes to the decode mode's size: ratios in 4.12
// fixed point, the accumulator threshold, black margins that keep the aspect,
// and the choice of band converter for the scan.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "chroma_sampling.h"

namespace codec {

inline constexpr int32_t kUnit = 4096;  // 1:1 in 4.12 fixed point
inline constexpr int kMaxOutputWidth = 320;

struct ResamplingState;

// Converts the lines of one MCU row into whole output lines in `band`;
// returns the bytes written.
using BandConverter = size_t (*)(const BandInput& in, ResamplingState& state, uint8_t* band);

enum class ConverterKind {
  kOneToOne,
  kGeneral,
  kThreeQuarterAccumulator,
  kThreeQuarterFixed,
  kSampled,  // only the pixels of a sampled decode (SetUpSampledScan)
};

struct ResamplingState {
  int32_t h_ratio = kUnit;
  int32_t v_ratio = kUnit;
  int32_t step = kUnit;
  int32_t threshold = kUnit / 2;
  int32_t line_accumulator = kUnit;  // runs on over the whole picture
  int top_margin = 0;
  int left_margin = 0;
  bool odd_margin = false;
  bool side_margin = false;
  bool exact_fit = false;
  size_t last_band_bytes = 0;

  int output_width = 0;
  int source_width = 0;      // scaled padded width
  uint32_t source_line = 0;  // luma lines converted so far in this scan

  ConverterKind kind = ConverterKind::kOneToOne;
  BandConverter converter = nullptr;
  // The general and the sampled converters' source columns, the same for
  // every line: for the general one chosen by the pixel accumulator and cut
  // to what fits beside the left margin, for the sampled one the columns of
  // the sampled pixels.
  std::array<uint32_t, kMaxOutputWidth> columns{};
  int column_count = 0;

  // The sampled converter: output lines come from every source line or by
  // the line accumulator; of them every sample_step-th is kept.
  bool lines_by_accumulator = false;
  int sample_step = 1;
  uint32_t output_line = 0;  // output lines made so far
};

enum class ChromaLayout { k420, k422, k444 };

struct ResamplingSetup {
  int scaled_width = 0;
  int scaled_height = 0;
  int output_width = 0;
  int output_height = 0;
  int bytes_per_pixel = 3;
  int reduction = 1;
  ChromaLayout chroma = ChromaLayout::k444;
  bool fast_three_quarter = true;
};

void SetUpResampling(const ResamplingSetup& setup, ResamplingState& state);

// The accumulator rule for one source line or pixel: true when it yields an
// output line or pixel.
inline bool AccumulatorTakes(int32_t& accumulator, int32_t step, int32_t threshold) {
  const bool take = accumulator > threshold;
  if (take) accumulator -= kUnit;
  accumulator += step;
  return take;
}

BandConverter PickConverter(ConverterKind kind, ChromaLayout chroma, int bytes_per_pixel);

}  // namespace codec
