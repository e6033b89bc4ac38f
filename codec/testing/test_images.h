// Pictures and JPEG streams for tests, benchmarks and the fuzz corpus.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "reference_codec.h"

namespace codec::testing {

// A colourful scene with smooth gradients, hard edges and fine detail.
Image MakeScene(int width, int height, int seed = 0);

// A flat image of one sample triple (or grey value).
Image MakeFlat(int width, int height, uint8_t a, uint8_t b, uint8_t c, int channels = 3);

// The camera's quantisation tables for quality index 0, 1 or 2.
QuantTables CameraTables(int quality_index);

// The camera application's 170-byte preview header for a frame of the given
// size and 4:4:4 or 4:2:0 sampling (quality-2 tables, no DHT).
std::vector<uint8_t> PreviewHeader(int width, int height, Subsampling subsampling);

// Position of the first marker FF `code` at or after `from`, or -1.
long FindMarker(std::span<const uint8_t> jpeg, uint8_t code, size_t from = 0);

// The entropy-coded scan of a single-scan image, from behind the SOS header
// through the end (EOI included): what the card sends as a preview frame.
std::vector<uint8_t> ScanData(std::span<const uint8_t> jpeg);

// `jpeg` with every segment of marker `code` removed (SOS excluded).
std::vector<uint8_t> WithoutSegments(std::span<const uint8_t> jpeg, uint8_t code);

// `jpeg` with `segment` (marker included) inserted before the first SOF0.
std::vector<uint8_t> WithSegmentBeforeFrame(std::span<const uint8_t> jpeg,
                                            std::span<const uint8_t> segment);

// Expands decoded output of `bytes_per_pixel` 2 (RGB565) or 3 (B, G, R) into
// R, G, B samples; RGB565 channels are widened by repeating their top bits.
Image ToRgb(std::span<const uint8_t> pixels, int width, int height, int bytes_per_pixel);

// Peak signal-to-noise ratio over all samples, in dB (1000 when equal).
double Psnr(const Image& a, const Image& b);

// PSNR of the luminance (BT.601 weights) of two R, G, B images.
double LumaPsnr(const Image& a, const Image& b);

// `image` reduced to what RGB565 keeps, widened the same way as ToRgb.
Image QuantiseTo565(const Image& image);

}  // namespace codec::testing
