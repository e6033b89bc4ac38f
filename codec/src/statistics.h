// Frame statistics (option 1 or 2): the mean luminance and the mean colour of
// the grey-ish blocks, from the first sample of every block.
#pragma once

#include "decoder_context.h"

namespace codec {

// Keeps the first sample of a block of component `id` (1, 2 or 3) while the
// component's store has room.
inline void KeepStatisticsSample(StatisticsState& statistics, int id, uint8_t sample) {
  if (id < 1 || id > 3) return;
  int& count = statistics.counts[id - 1];
  if (count < kStatisticsSamples) statistics.samples[id - 1][count++] = sample;
}

// At the end of the image. Only the 320 x 240 and 160 x 120 sample grids are
// measured; other frames leave the four bytes as they were.
void ComputeStatistics(StatisticsState& statistics, const FrameState& frame);

}  // namespace codec
