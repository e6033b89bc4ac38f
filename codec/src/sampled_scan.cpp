#include "sampled_scan.h"

#include "band_converters.h"

namespace codec {
namespace {

// The source column of output pixel x: the same one the converter of `kind`
// gives it (three-quarter: pixels 4k, 4k+1, 4k+2 of every four).
uint32_t SourceColumn(ConverterKind kind, int x) {
  if (kind == ConverterKind::kThreeQuarterAccumulator)
    return static_cast<uint32_t>(4 * (x / 3) + x % 3);
  return static_cast<uint32_t>(x);
}

struct Shifts {
  int h = 0;
  int v = 0;
};

Shifts ChromaShifts(ChromaLayout chroma) {
  switch (chroma) {
    case ChromaLayout::k420:
      return {1, 1};
    case ChromaLayout::k422:
      return {1, 0};
    case ChromaLayout::k444:
      break;
  }
  return {0, 0};
}

}  // namespace

bool SetUpSampledScan(JpegDecoder& decoder, ChromaLayout chroma, SampledBlockPositions& positions) {
  const FrameState& frame = decoder.frame;
  OutputState& output = decoder.output;
  ResamplingState& resampling = decoder.resampling;
  const bool one_to_one = resampling.kind == ConverterKind::kOneToOne;
  const bool three_quarter = resampling.kind == ConverterKind::kThreeQuarterAccumulator;
  if (output.step <= 1 || output.geometry.full_size || frame.reduction != 1 ||
      decoder.statistics.option != 0 || !(one_to_one || three_quarter) ||
      resampling.top_margin != 0 || resampling.left_margin != 0 || output.written != 0) {
    return false;
  }
  const Shifts shifts = ChromaShifts(chroma);
  const int step = output.step;

  positions = {};
  resampling.column_count = 0;
  for (int x = 0; x < output.geometry.width; x += step) {
    const uint32_t column = SourceColumn(resampling.kind, x);
    resampling.columns[static_cast<size_t>(resampling.column_count++)] = column;
    positions.luma_columns |= static_cast<uint8_t>(1 << (column % 8));
    positions.chroma_columns |= static_cast<uint8_t>(1 << ((column >> shifts.h) % 8));
  }
  // The lines the converter will keep, found by running its line rule ahead.
  int32_t accumulator = resampling.line_accumulator;
  int made = 0;
  for (int line = 0; line < frame.scaled_height && made < output.geometry.height; ++line) {
    if (three_quarter && !AccumulatorTakes(accumulator, resampling.step, resampling.threshold)) {
      continue;
    }
    if (made++ % step != 0) continue;
    positions.luma_rows |= static_cast<uint8_t>(1 << (line % 8));
    positions.chroma_rows |= static_cast<uint8_t>(1 << ((line >> shifts.v) % 8));
  }

  resampling.lines_by_accumulator = three_quarter;
  resampling.sample_step = step;
  resampling.output_line = 0;
  resampling.kind = ConverterKind::kSampled;
  resampling.converter =
      PickConverter(ConverterKind::kSampled, chroma, output.geometry.bytes_per_pixel);
  output.presampled = true;
  return true;
}

void EndSampledScan(JpegDecoder& decoder) {
  OutputState& output = decoder.output;
  const size_t line_bytes = static_cast<size_t>(output.geometry.width) *
                            static_cast<size_t>(output.geometry.bytes_per_pixel);
  output.passed = decoder.resampling.output_line * line_bytes;
  output.presampled = false;
}

}  // namespace codec
