// Sampled decodes that transform and convert only the sampled pixels: where
// each output pixel is one source pixel (the one-to-one fit and the exact
// three-quarter accumulator at the full 8x8 transform), the scan computes
// just the block samples those pixels read.
#pragma once

#include <cstdint>

#include "decoder_context.h"

namespace codec {

// The lines and columns (bits 0..7) of each block that sampled pixels read.
struct SampledBlockPositions {
  uint8_t luma_rows = 0;
  uint8_t luma_columns = 0;
  uint8_t chroma_rows = 0;
  uint8_t chroma_columns = 0;
};

// For a sampled decode whose scan was prepared (resampling set up, nothing
// appended yet): when only the sampled pixels can be made, switches the
// resampling to the sampled converter, marks the output as made sampled and
// returns true with the block positions to transform. `chroma` is the
// frame's sampling. Otherwise changes
// nothing: the whole picture is decoded and Append keeps the samples.
bool SetUpSampledScan(JpegDecoder& decoder, ChromaLayout chroma, SampledBlockPositions& positions);

// After such a scan, however it ended: Append takes the whole picture's
// bytes again, from the first output line the scan did not make, so that
// what follows (black to the end, a later scan) lands where it would in the
// whole decode.
void EndSampledScan(JpegDecoder& decoder);

}  // namespace codec
