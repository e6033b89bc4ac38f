// JPEG pictures through libjpeg: the header first, so that the caller can
// choose the reduction, then the decode with the reduction done in the
// inverse transform (n/8), which costs far less than decoding at full size.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "fit.h"
#include "imaging/bitmap.h"
#include "imaging/qximglib.h"

namespace imaging {

class JpegDecoder {
 public:
  JpegDecoder();
  ~JpegDecoder();
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;

  // Reads the header of `data`, which must outlive the decoder.
  LoadResult ReadHeader(std::span<const std::uint8_t> data);
  Size size() const;
  // Decodes at eighths / 8 of the picture's size (1..8). Any damage,
  // including data that ends early, is a failure.
  LoadResult Decode(int eighths, std::unique_ptr<Bitmap>* bitmap);

 private:
  struct State;
  bool Start(int eighths);
  bool ReadRows(Bitmap* bitmap, std::uint8_t* cmyk_row);
  std::unique_ptr<State> state_;
};

}  // namespace imaging
