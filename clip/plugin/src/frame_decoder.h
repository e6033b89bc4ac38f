// Decoding clip frames: each decoder owns its codec context and its input
// area, so two decoders may work on two threads at once.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "clip/avi_clip.h"
#include "codec/jpeg_decoder.h"

namespace clip {

// Decode modes the plug-in uses.
inline constexpr int kMode240x180Rgb565 = 2;
inline constexpr int kMode160x120Rgb565 = 3;
inline constexpr int kMode240x180FullSizeBgr = 14;

class FrameDecoder {
 public:
  FrameDecoder();
  // False when the codec context could not be made.
  bool ok() const { return decoder_ != nullptr; }

  // Reads the frame under the clip's video cursor (advancing it) into the
  // frame buffer. False when there is none or it is too large.
  bool ReadFrame(AviClip& clip);
  // Decodes the frame last read in `mode` into `sink`, which holds at least
  // codec::JpegOutputSize(mode) bytes. False when the frame is malformed or
  // the decoder refuses it: what the sink holds then is no picture.
  bool Decode(int mode, std::span<std::uint8_t> sink);
  // As Decode, but only the pixels (step x i, step x j) of the mode's
  // picture, into `sink` of at least codec::JpegSampledOutputSize bytes.
  bool DecodeSampled(int mode, int step, std::span<std::uint8_t> sink);

 private:
  // Puts the tables into the frame last read; false when it is malformed.
  bool PrepareInput();

  codec::JpegDecoderPtr decoder_;
  std::vector<std::uint8_t> frame_;
  std::uint32_t frame_size_ = 0;
  std::vector<std::uint8_t> input_;  // the frame with its tables
};

}  // namespace clip
