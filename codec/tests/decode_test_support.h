// Helpers shared by the codec tests: decoding into a guarded sink and the
// reference picture brought to a mode's size by the resampling rules.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "codec/jpeg_decoder.h"
#include "test_images.h"

namespace codec::testing {

struct Decoded {
  JpegResult result = kJpegOk;
  std::vector<uint8_t> pixels;  // the mode's output size
  size_t written = 0;           // bytes the decode appended
  int width = 0;
  int height = 0;
  int bytes_per_pixel = 0;
  Image Rgb() const { return ToRgb(pixels, width, height, bytes_per_pixel); }
};

inline constexpr uint8_t kSinkFill = 0xA5;
inline constexpr size_t kGuardBytes = 256;

// Expects the bytes of `sink` from `size` on to hold `fill` still.
inline void ExpectNothingPast(const std::vector<uint8_t>& sink, size_t size, uint8_t fill) {
  for (size_t i = size; i < sink.size(); ++i) {
    if (sink[i] != fill) {
      ADD_FAILURE() << "decode wrote past the output size at byte " << i;
      return;
    }
  }
}

// Decodes `jpeg` in `mode` into a sink pre-filled with kSinkFill and followed
// by guard bytes, which must come out untouched.
inline Decoded Decode(const std::vector<uint8_t>& jpeg, int mode, bool fast_three_quarter = true,
                      int statistics_option = 0, JpegDecoder* reuse = nullptr) {
  JpegDecoderPtr own;
  JpegDecoder* decoder = reuse;
  if (decoder == nullptr) {
    own = JpegDecoderCreate();
    decoder = own.get();
  }
  const JpegModeGeometry geometry = JpegModeInfo(mode);
  const size_t size = JpegOutputSize(mode);
  std::vector<uint8_t> sink(size + kGuardBytes, kSinkFill);
  JpegSetFastThreeQuarter(*decoder, fast_three_quarter);
  JpegCursors& cursors = JpegDecoderCursors(*decoder);
  cursors = {jpeg.data(), jpeg.size(), sink.data()};
  Decoded decoded;
  decoded.result = JpegDecode(mode, decoder, statistics_option);
  decoded.written = static_cast<size_t>(cursors.sink - sink.data());
  ExpectNothingPast(sink, size, kSinkFill);
  sink.resize(size);
  decoded.pixels = std::move(sink);
  decoded.width = geometry.width;
  decoded.height = geometry.height;
  decoded.bytes_per_pixel = geometry.bytes_per_pixel;
  return decoded;
}

// How the decoder selects pixels when it brings a reduced picture to an
// output size, written out from the resampling rules.
enum class Selection { kAuto, kThreeQuarterFixed, kThreeQuarterAccumulator, kGeneral };

inline std::vector<int> AccumulatorPicks(int count, int32_t step, int32_t threshold,
                                         int32_t& accumulator) {
  std::vector<int> picks;
  for (int i = 0; i < count; ++i) {
    if (accumulator > threshold) {
      picks.push_back(i);
      accumulator -= 4096;
    }
    accumulator += step;
  }
  return picks;
}

// `reduced` is the picture at the reduced (scaled padded) size.
inline Image Resample(const Image& reduced, int out_width, int out_height, Selection selection,
                      bool fast_three_quarter) {
  const int w = reduced.width, h = reduced.height;
  if (w == out_width && h == out_height && selection == Selection::kAuto) return reduced;
  const int32_t hr = (out_width << 12) / w, vr = (out_height << 12) / h;
  int top = 0, left = 0;
  int32_t step = hr, larger = vr;
  if (hr < vr) {
    top = (out_height - static_cast<int>((int64_t{h} * hr + 4095) >> 12)) / 2;
  } else if (vr < hr) {
    left = (out_width - static_cast<int>((int64_t{w} * vr + 4095) >> 12)) / 2;
    step = vr, larger = hr;
  }
  const int32_t threshold = 4096 - larger / 2;
  if (selection == Selection::kAuto) {
    selection = hr == 3072 && vr == 3072
                    ? (fast_three_quarter ? Selection::kThreeQuarterFixed
                                          : Selection::kThreeQuarterAccumulator)
                    : Selection::kGeneral;
  }
  std::vector<int> rows, columns;
  int32_t accumulator = 4096;
  switch (selection) {
    case Selection::kThreeQuarterFixed:
      for (int y = 0; y < h; ++y) {
        if (y % 4 != 3) rows.push_back(y);
      }
      break;
    case Selection::kThreeQuarterAccumulator:
      rows = AccumulatorPicks(h, 3072, 2560, accumulator);
      break;
    default:
      rows = AccumulatorPicks(h, step, threshold, accumulator);
      break;
  }
  if (selection == Selection::kGeneral) {
    accumulator = 4096;
    columns = AccumulatorPicks(w, step, threshold, accumulator);
  } else {
    for (int x = 0; x < w; ++x) {
      if (x % 4 != 3) columns.push_back(x);
    }
  }
  Image out = MakeFlat(out_width, out_height, 0, 0, 0);
  for (size_t r = 0; r < rows.size() && top + static_cast<int>(r) < out_height; ++r) {
    for (size_t c = 0; c < columns.size() && left + static_cast<int>(c) < out_width; ++c) {
      const uint8_t* from = reduced.At(columns[c], rows[r]);
      uint8_t* to = out.At(left + static_cast<int>(c), top + static_cast<int>(r));
      to[0] = from[0], to[1] = from[1], to[2] = from[2];
    }
  }
  return out;
}

// The MCU grid's size divided by the reduction: what the decoder resamples.
inline std::pair<int, int> ScaledPaddedSize(int width, int height, Subsampling subsampling,
                                            int reduction) {
  const int mcu_width = subsampling == Subsampling::k444 ? 8 : 16;
  const int mcu_height = subsampling == Subsampling::k420 ? 16 : 8;
  return {(width + mcu_width - 1) / mcu_width * mcu_width / reduction,
          (height + mcu_height - 1) / mcu_height * mcu_height / reduction};
}

// `image` grown to `width` x `height` by repeating its last column and line,
// as encoders fill the MCU grid.
inline Image PadByRepeating(const Image& image, int width, int height) {
  Image out{width, height, image.channels, {}};
  out.samples.resize(static_cast<size_t>(width) * height * image.channels);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* from = image.At(std::min(x, image.width - 1), std::min(y, image.height - 1));
      std::copy(from, from + image.channels, out.At(x, y));
    }
  }
  return out;
}

// Power-of-two reduction the decoder picks for a picture and an output size.
inline int ReductionFor(int width, int height, int out_width, int out_height) {
  const int q = std::min(width / out_width, height / out_height);
  return q < 2 ? 1 : q < 4 ? 2 : q < 8 ? 4 : 8;
}

}  // namespace codec::testing
