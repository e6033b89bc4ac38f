#include "thumbnail.h"

#include "clip/avi_reader.h"
#include "frame_decoder.h"

namespace clip {

namespace {

constexpr DWORD kWideClipWidth = 320;
constexpr int kStripWidth = 40;
constexpr int kStripHeight = 30;

bool AsksForPreview(int requested_width) { return requested_width == 0 || requested_width == 240; }

// What one thread's thumbnails are made with, kept between its calls: the
// frame buffers are large and freshly touched pages are dear, while one
// thread's calls never overlap and other threads have their own.
struct Workspace {
  FrameDecoder decoder;
  std::vector<std::uint8_t> output;
};

Workspace& ThreadWorkspace() {
  thread_local Workspace workspace;
  return workspace;
}

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
  Workspace& workspace = ThreadWorkspace();
  FrameDecoder& decoder = workspace.decoder;
  if (!decoder.ok() || AviSeek(clip, 1) != 0 || !decoder.ReadFrame(clip)) return std::nullopt;
  const ThumbnailPlan plan =
      PlanThumbnail(clip.main_header.dwWidth, requested_width, requested_height);
  // The codec decodes only the pixels the plan keeps: a picture of the
  // sampled width, of which the plan's lines are taken.
  workspace.output.resize(codec::JpegSampledOutputSize(plan.mode, plan.step));
  if (!decoder.DecodeSampled(plan.mode, plan.step, workspace.output)) return std::nullopt;

  Picture picture{plan.width, plan.height, plan.bits_per_pixel, {}};
  const std::size_t line_bytes = std::size_t(plan.width) * (plan.bits_per_pixel / 8);
  picture.pixels.assign(workspace.output.begin(),
                        workspace.output.begin() + static_cast<long>(line_bytes * plan.height));
  return picture;
}

}  // namespace clip
