#include "thumbnail.h"

#include <algorithm>
#include <cstring>

#include "clip/avi_reader.h"
#include "frame_decoder.h"

namespace clip {

namespace {

constexpr DWORD kWideClipWidth = 320;
constexpr int kStripWidth = 40;
constexpr int kStripHeight = 30;

bool AsksForPreview(int requested_width) { return requested_width == 0 || requested_width == 240; }

}  // namespace

ThumbnailPlan PlanThumbnail(DWORD clip_width, int requested_width, int requested_height) {
  if (clip_width == kWideClipWidth) {
    if (AsksForPreview(requested_width)) return {kMode240x180Rgb565, 1, 240, 180, 16};
    return {kMode240x180Rgb565, 6, kStripWidth, kStripHeight, 16};
  }
  if (AsksForPreview(requested_width)) return {kMode240x180FullSizeBgr, 1, 240, 180, 24};
  if (requested_width == 160) {
    // Lines below the 120 of the decode would be no picture.
    const int height = requested_height > 0 && requested_height < 120 ? requested_height : 120;
    return {kMode160x120Rgb565, 1, 160, height, 16};
  }
  return {kMode160x120Rgb565, 4, kStripWidth, kStripHeight, 16};
}

std::optional<Picture> MakeThumbnail(AviClip& clip, int requested_width, int requested_height) {
  FrameDecoder decoder;
  if (!decoder.ok() || AviSeek(clip, 1) != 0 || !decoder.ReadFrame(clip)) return std::nullopt;
  const ThumbnailPlan plan =
      PlanThumbnail(clip.main_header.dwWidth, requested_width, requested_height);
  const codec::JpegModeGeometry decoded = codec::JpegModeInfo(plan.mode);
  std::vector<std::uint8_t> output(codec::JpegOutputSize(plan.mode));
  if (!decoder.Decode(plan.mode, output)) return std::nullopt;

  Picture picture{plan.width, plan.height, plan.bits_per_pixel, {}};
  const int pixel_bytes = plan.bits_per_pixel / 8;
  picture.pixels.resize(std::size_t(plan.width) * plan.height * pixel_bytes);
  const std::size_t decoded_stride = std::size_t(decoded.width) * decoded.bytes_per_pixel;
  for (int y = 0; y < plan.height; ++y) {
    const std::uint8_t* row = output.data() + std::size_t(y) * plan.step * decoded_stride;
    std::uint8_t* out = picture.pixels.data() + std::size_t(y) * plan.width * pixel_bytes;
    for (int x = 0; x < plan.width; ++x) {
      std::memcpy(out + x * pixel_bytes, row + std::size_t(x) * plan.step * pixel_bytes,
                  pixel_bytes);
    }
  }
  return picture;
}

}  // namespace clip
