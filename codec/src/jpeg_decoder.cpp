// The library's entry points: context creation, cursors, and one decode from
// its start to the marker loop's result.
#include "codec/jpeg_decoder.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "bit_reader.h"
#include "chunked_source.h"
#include "decode_steps.h"
#include "decoder_context.h"

namespace codec {

void JpegDecoder::Append(const uint8_t* data, size_t count) {
  if (output.step > 1 && !output.presampled) {
    AppendSampled(data, count);
    return;
  }
  count = std::min(count, output.size - output.written);
  if (count == 0 || cursors.sink == nullptr) return;
  if (data != nullptr) {
    std::memcpy(cursors.sink, data, count);
  } else {
    std::memset(cursors.sink, 0, count);
  }
  cursors.sink += count;
  output.written += count;
}

void JpegDecoder::AppendBlackToEnd() {
  if (output.step > 1 && !output.presampled) {
    const size_t whole = JpegOutputSize(output.mode);
    if (output.passed < whole) AppendSampled(nullptr, whole - output.passed);
    return;
  }
  Append(nullptr, output.size - output.written);
}

void JpegDecoder::AppendSampled(const uint8_t* data, size_t count) {
  const size_t pixel_bytes = static_cast<size_t>(output.geometry.bytes_per_pixel);
  const size_t line_bytes = static_cast<size_t>(output.geometry.width) * pixel_bytes;
  const size_t step = static_cast<size_t>(output.step);
  for (size_t i = 0; i < count && output.written < output.size; ++i) {
    const size_t at = output.passed + i;
    const size_t line = at / line_bytes;
    const size_t pixel = at % line_bytes / pixel_bytes;
    if (line % step != 0 || pixel % step != 0) continue;
    if (cursors.sink != nullptr) *cursors.sink++ = data != nullptr ? data[i] : 0;
    ++output.written;
  }
  output.passed += count;
}

void JpegDecoderDeleter::operator()(JpegDecoder* decoder) const noexcept { delete decoder; }

JpegDecoderPtr JpegDecoderCreate() {
  JpegDecoderPtr decoder(new (std::nothrow) JpegDecoder);
  if (!decoder) return nullptr;
  const auto specs = StandardHuffmanTables();
  for (size_t i = 0; i < decoder->huffman.size(); ++i) {
    if (!BuildHuffmanTable(specs[i], decoder->huffman[i])) return nullptr;
  }
  return decoder;
}

JpegCursors& JpegDecoderCursors(JpegDecoder& decoder) { return decoder.cursors; }

void JpegSetFastThreeQuarter(JpegDecoder& decoder, bool on) { decoder.fast_three_quarter = on; }

bool JpegFastThreeQuarter(const JpegDecoder& decoder) { return decoder.fast_three_quarter; }

JpegStatistics JpegLastStatistics(const JpegDecoder& decoder) { return decoder.statistics.result; }

namespace {

JpegResult Decode(JpegDecoder& decoder, int mode, int statistics_option, int step) {
  decoder.output = OutputState{};
  decoder.output.mode = mode;
  decoder.output.step = step;
  StatisticsState& statistics = decoder.statistics;
  statistics.option = statistics_option;
  statistics.counts = {};
  if (statistics_option != 0) statistics.grey_window = {128, 384, 115, 384};

  ChunkedSource source(decoder.cursors);
  if (!source.Allocate()) return kJpegNoMemory;
  if (source.Refill() == 0) return kJpegBadStream;
  if (mode < kJpegFirstMode || mode > kJpegLastMode) return kJpegUnsupported;
  decoder.output.geometry = JpegModeInfo(mode);
  decoder.output.size = JpegSampledOutputSize(mode, step);

  BitReader reader(source);
  reader.LoadFirstByte();
  decoder.restart_interval = 0;
  decoder.quant_table_count = 0;
  // The frame belongs to the image that declares it.
  decoder.frame = FrameState{};
  return RunMarkerLoop(decoder, reader);
}

JpegResult DecodeReleasing(JpegDecoder& decoder, int mode, int statistics_option, int step) {
  const JpegResult result = Decode(decoder, mode, statistics_option, step);
  decoder.buffers = DecodeBuffers{};  // plane and band buffers go with the decode
  return result;
}

}  // namespace

JpegResult JpegDecode(int mode, JpegDecoder* decoder, int statistics_option) {
  if (decoder == nullptr) return kJpegNoMemory;
  return DecodeReleasing(*decoder, mode, statistics_option, 1);
}

JpegResult JpegDecodeBuffer(const uint8_t* source, int mode, uint8_t* sink, size_t length,
                            JpegDecoder* decoder) {
  if (decoder == nullptr) return kJpegNoMemory;
  decoder->cursors = JpegCursors{source, length, sink};
  return JpegDecode(mode, decoder, 0);
}

size_t JpegSampledOutputSize(int mode, int step) {
  const JpegModeGeometry geometry = JpegModeInfo(mode);
  if (step < 1) return 0;
  const auto kept = [step](int length) { return static_cast<size_t>((length + step - 1) / step); };
  return kept(geometry.width) * kept(geometry.height) *
         static_cast<size_t>(geometry.bytes_per_pixel);
}

JpegResult JpegDecodeSampled(const uint8_t* source, size_t length, int mode, int step,
                             uint8_t* sink, JpegDecoder* decoder) {
  if (decoder == nullptr) return kJpegNoMemory;
  if (step < 1) return kJpegUnsupported;
  decoder->cursors = JpegCursors{source, length, sink};
  return DecodeReleasing(*decoder, mode, 0, step);
}

}  // namespace codec
