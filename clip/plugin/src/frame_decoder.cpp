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

bool FrameDecoder::Decode(int mode, std::span<std::uint8_t> sink) {
  if (!decoder_ || sink.size() < codec::JpegOutputSize(mode)) return false;
  if (!MakeFrameDecodable(std::span(frame_).first(frame_size_), &input_)) return false;
  return codec::JpegDecodeBuffer(input_.data(), mode, sink.data(), input_.size(), decoder_.get()) ==
         codec::kJpegOk;
}

}  // namespace clip
