#include "frame_decoder.h"

#include "clip/avi_reader.h"
#include "frame_tables.h"

namespace clip {

FrameDecoder::FrameDecoder() : decoder_(codec::JpegDecoderCreate()), frame_(kMaxFrameBytes) {
  // The plug-in's pictures are made with the exact three-quarter scaler.
  if (decoder_) codec::JpegSetFastThreeQuarter(*decoder_, false);
}

bool FrameDecoder::ReadFrame(AviClip& clip) {
  DWORD size = 0;
  frame_size_ = 0;
  if (AviReadVideoFrame(clip, frame_, &size) != 0) return false;
  frame_size_ = size;
  return true;
}

bool FrameDecoder::PrepareInput() {
  return decoder_ && MakeFrameDecodable(std::span(frame_).first(frame_size_), &input_);
}

bool FrameDecoder::Decode(int mode, std::span<std::uint8_t> sink) {
  if (sink.size() < codec::JpegOutputSize(mode) || !PrepareInput()) return false;
  return codec::JpegDecodeBuffer(input_.data(), mode, sink.data(), input_.size(), decoder_.get()) ==
         codec::kJpegOk;
}

bool FrameDecoder::DecodeSampled(int mode, int step, std::span<std::uint8_t> sink) {
  const std::size_t size = codec::JpegSampledOutputSize(mode, step);
  if (size == 0 || sink.size() < size || !PrepareInput()) return false;
  return codec::JpegDecodeSampled(input_.data(), input_.size(), mode, step, sink.data(),
                                  decoder_.get()) == codec::kJpegOk;
}

}  // namespace clip
