#include <array>

#include "codec/jpeg_decoder.h"

namespace codec {
namespace {

constexpr std::array<JpegModeGeometry, 15> kModes = {{
    {},
    {320, 240, 2, false},
    {240, 180, 2, false},
    {160, 120, 2, false},
    {80, 60, 2, false},
    {40, 30, 2, false},
    {20, 15, 2, false},
    {240, 180, 2, true},
    {320, 240, 3, false},
    {240, 180, 3, false},
    {160, 120, 3, false},
    {80, 60, 3, false},
    {40, 30, 3, false},
    {20, 15, 3, false},
    {240, 180, 3, true},
}};

}  // namespace

JpegModeGeometry JpegModeInfo(int mode) {
  if (mode < kJpegFirstMode || mode > kJpegLastMode) return {};
  return kModes[static_cast<size_t>(mode)];
}

size_t JpegOutputSize(int mode) {
  const JpegModeGeometry geometry = JpegModeInfo(mode);
  return static_cast<size_t>(geometry.width) * static_cast<size_t>(geometry.height) *
         static_cast<size_t>(geometry.bytes_per_pixel);
}

}  // namespace codec
