// Baseline JPEG decoder that turns one complete image held in memory into a
// small top-down picture (16-bit RGB565 or 24-bit blue-green-red) of one of
// fourteen fixed decode modes. It shrinks while decoding, resamples to the
// mode's size keeping the aspect, and fills the rest with black margins.
//
// Use: create one decoder per caller, set its source and sink, then decode.
// A decoder is not re-entrant: one decode at a time, on one thread at a time.
// Independent decoders may be used on different threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace codec {

// Result of a decode: 0 on success. Output appended before a failure stays in
// the sink.
enum JpegResult : uint32_t {
  kJpegOk = 0,
  kJpegQuantPrecision = 1,    // DQT table with 16-bit entries
  kJpegSamplePrecision = 2,   // sample precision other than 8
  kJpegBadDcCode = 3,         // bad DC Huffman code
  kJpegBadAcCode = 4,         // bad AC Huffman code or a run past the block end
  kJpegBadSpectralStart = 6,  // scan start Ss not 0
  kJpegBadSpectralEnd = 7,    // scan end Se not 63
  kJpegBadApproximation = 8,  // successive-approximation byte not 0
  kJpegBadRestartLength = 9,  // DRI length not 4
  kJpegNoMemory = 10,         // no memory for the decode's buffers
  kJpegBadStream = 11,        // source exhausted, unhandled marker or malformed segment
  kJpegBadCloseUp = 12,       // full-size close-up met an unknown sampling
  kJpegBadReduction = 13,     // reduction other than 1, 2, 4 or 8
  kJpegUnsupported = 18,      // bad mode, grey image, unsupported sampling or size
};

inline constexpr int kJpegFirstMode = 1;
inline constexpr int kJpegLastMode = 14;

// Output geometry of a decode mode; all zero for a mode outside 1..14.
struct JpegModeGeometry {
  int width = 0;
  int height = 0;
  int bytes_per_pixel = 0;  // 2: RGB565 little-endian words; 3: bytes B, G, R
  bool full_size = false;   // modes 7 and 14: whole-picture decode, then 3/2 enlargement
};
JpegModeGeometry JpegModeInfo(int mode);

// Bytes a decode in `mode` writes at most: width x height x bytes per pixel
// (0 for a mode outside 1..14). The sink must hold this many bytes.
size_t JpegOutputSize(int mode);

// The decoder context. Opaque; made by JpegDecoderCreate.
struct JpegDecoder;
struct JpegDecoderDeleter {
  void operator()(JpegDecoder* decoder) const noexcept;
};
using JpegDecoderPtr = std::unique_ptr<JpegDecoder, JpegDecoderDeleter>;

// Builds the Huffman decoding tables and returns a fresh context, or null when
// memory runs out.
JpegDecoderPtr JpegDecoderCreate();

// The decoder's cursors, set by the caller before each decode. A decode reads
// the source from front to back once, advancing `source` and lowering
// `source_left`, and appends its output at `sink`, advancing it.
struct JpegCursors {
  const uint8_t* source = nullptr;
  size_t source_left = 0;
  uint8_t* sink = nullptr;
};
JpegCursors& JpegDecoderCursors(JpegDecoder& decoder);

// Fast three-quarter switch (initially on): selects the fixed-pattern
// three-quarter converter instead of the accumulator one. Kept between decodes.
void JpegSetFastThreeQuarter(JpegDecoder& decoder, bool on);
bool JpegFastThreeQuarter(const JpegDecoder& decoder);

// Decodes the image at the cursors in `mode`. `statistics_option` 1 or 2 also
// measures the frame's mean luminance and grey-world colour means.
JpegResult JpegDecode(int mode, JpegDecoder* decoder, int statistics_option = 0);

// Sets the cursors to `source`/`length` and `sink`, then decodes with the
// statistics option 0.
JpegResult JpegDecodeBuffer(const uint8_t* source, int mode, uint8_t* sink, size_t length,
                            JpegDecoder* decoder);

// Sampled decodes: the pixels (step x i, step x j) of the mode's picture, top
// line first, ceil(width / step) x ceil(height / step) of them, exactly the
// bytes the full decode in `mode` has there. 0 for a mode outside 1..14 or a
// step below 1.
size_t JpegSampledOutputSize(int mode, int step);

// Decodes `length` bytes at `source` as JpegDecodeBuffer does, writing only
// the sampled pixels to `sink` (JpegSampledOutputSize bytes). Where the
// picture allows, only those pixels are transformed and converted.
JpegResult JpegDecodeSampled(const uint8_t* source, size_t length, int mode, int step,
                             uint8_t* sink, JpegDecoder* decoder);

// The instruction-set path of the inverse DCTs and the colour conversion, for
// the whole process. Every path gives the same bytes; only the speed
// differs. The default is the best path the processor has, unless the
// environment variable ORSA_CODEC_PATH names another ("portable", "avx2",
// "avx512").
enum class JpegCodePath { kPortable, kAvx2, kAvx512 };
// Switches to `path` and returns the path now in use: a path the processor
// lacks gives the best one below it that it has.
JpegCodePath JpegSetCodePath(JpegCodePath path);
JpegCodePath JpegActiveCodePath();

// The four statistics bytes of the last decode that ended at its end of image.
struct JpegStatistics {
  uint8_t mean_luminance = 0;
  uint8_t mean_red = 0;
  uint8_t mean_green = 0;
  uint8_t mean_blue = 0;
};
JpegStatistics JpegLastStatistics(const JpegDecoder& decoder);

}  // namespace codec
