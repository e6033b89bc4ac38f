// libFuzzer target: every input is decoded in every mode, with both
// three-quarter converters and each statistics option, into a heap sink of
// exactly the mode's output size so that the sanitizers see any overrun.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static codec::JpegDecoderPtr decoder = codec::JpegDecoderCreate();
  for (int mode = codec::kJpegFirstMode; mode <= codec::kJpegLastMode; ++mode) {
    std::vector<uint8_t> sink(codec::JpegOutputSize(mode));
    codec::JpegSetFastThreeQuarter(*decoder, mode % 2 == 0);
    codec::JpegCursors& cursors = codec::JpegDecoderCursors(*decoder);
    cursors = {data, size, sink.data()};
    // The option turns with the input's length, so that every mode meets
    // every option (and the block order each one takes) across the corpus.
    const int option = static_cast<int>((static_cast<size_t>(mode) + size) % 3);
    const codec::JpegResult result = codec::JpegDecode(mode, decoder.get(), option);
    if (!IsResultCode(result) || cursors.sink > sink.data() + sink.size()) std::abort();
  }
  return 0;
}
