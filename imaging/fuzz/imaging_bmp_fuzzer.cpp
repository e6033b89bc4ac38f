// Any bytes through the BMP and "2bp" reader, and a decoded picture on
// through the reduction and the quarter turn the loaders apply.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "decoders.h"
#include "fit.h"
#include "quarter_turn.h"
#include "resample.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::span<const std::uint8_t> data(bytes, size);
  imaging::SniffFormat(data);
  std::unique_ptr<imaging::Bitmap> bitmap;
  if (imaging::DecodeBmp(data, &bitmap) != imaging::kLoadOk) {
    if (bitmap) std::abort();  // a failure hands nothing out
    return 0;
  }
  if (!bitmap) std::abort();
  const imaging::Size fitted = imaging::FitWithin({bitmap->width(), bitmap->height()}, {40, 30});
  const auto reduced = imaging::Resample(*bitmap, fitted);
  if (!reduced || reduced->width() > 40 || reduced->height() > 30) std::abort();
  const auto turned = imaging::QuarterTurn(*reduced, size & 1);
  if (!turned || turned->width() != reduced->height()) std::abort();
  return 0;
}
