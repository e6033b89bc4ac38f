// libFuzzer target: every input is decoded in every mode, with both
// three-quarter converters and each statistics option, into a heap sink of
// exactly the mode's output size so that the sanitizers see any overrun.
// Each mode is decoded sampled as well (the step turning with the input's
// length), which must end as the whole decode did and give exactly its
// pixels at the sampled places.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "codec/jpeg_decoder.h"

namespace {

bool IsResultCode(codec::JpegResult result) {
  switch (result) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 18:
      return true;
    default:
      return false;
  }
}

constexpr uint8_t kFill = 0x5A;

// The sampled decode of `data` against `whole`, the whole decode's sink
// (pre-filled with kFill) and result, unless `whole` is null (the decode is
// then only made, to keep `decoder` in step). `decoder` must hold what the whole
// decode's decoder held before it: quantisation tables stay from one image
// to the next, and an image may use one before it defines it.
void CheckSampled(const uint8_t* data, size_t size, int mode, const std::vector<uint8_t>* whole,
                  codec::JpegResult whole_result, codec::JpegDecoder& decoder) {
  const int step = 2 + static_cast<int>(size % 7);
  std::vector<uint8_t> sampled(codec::JpegSampledOutputSize(mode, step), kFill);
  const codec::JpegResult result =
      codec::JpegDecodeSampled(data, size, mode, step, sampled.data(), &decoder);
  if (whole == nullptr) return;
  if (result != whole_result) std::abort();
  const codec::JpegModeGeometry geometry = codec::JpegModeInfo(mode);
  const size_t pixel_bytes = static_cast<size_t>(geometry.bytes_per_pixel);
  size_t at = 0;
  for (int y = 0; y < geometry.height; y += step) {
    for (int x = 0; x < geometry.width; x += step) {
      const size_t from = (static_cast<size_t>(y) * geometry.width + x) * pixel_bytes;
      for (size_t i = 0; i < pixel_bytes; ++i) {
        if (sampled[at++] != (*whole)[from + i]) std::abort();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Both decoders start each input afresh and see the same images in the
  // same order, so that each sampled decode starts from what its whole
  // decode started from.
  const codec::JpegDecoderPtr decoder = codec::JpegDecoderCreate();
  const codec::JpegDecoderPtr sampling_decoder = codec::JpegDecoderCreate();
  for (int mode = codec::kJpegFirstMode; mode <= codec::kJpegLastMode; ++mode) {
    std::vector<uint8_t> sink(codec::JpegOutputSize(mode), kFill);
    codec::JpegSetFastThreeQuarter(*decoder, mode % 2 == 0);
    codec::JpegSetFastThreeQuarter(*sampling_decoder, mode % 2 == 0);
    codec::JpegCursors& cursors = codec::JpegDecoderCursors(*decoder);
    cursors = {data, size, sink.data()};
    // The option turns with the input's length, so that every mode meets
    // every option (and the block order each one takes) across the corpus.
    const int option = static_cast<int>((static_cast<size_t>(mode) + size) % 3);
    const codec::JpegResult result = codec::JpegDecode(mode, decoder.get(), option);
    if (!IsResultCode(result) || cursors.sink > sink.data() + sink.size()) std::abort();
    // Decoded with every option, compared without statistics.
    CheckSampled(data, size, mode, option == 0 ? &sink : nullptr, result, *sampling_decoder);
  }
  return 0;
}
