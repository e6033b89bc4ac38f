#include "camera/session/preview_texts.h"

#include <array>
#include <cstdio>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"

namespace camera {

namespace {

constexpr std::array<const char*, 4> kStillSizes{"1280x1024", "1280x960", "640x480", "320x240"};
constexpr std::array<const char*, 2> kStreamSizes{"320x240", "160x120"};

const char* StillSize(int index) {
  return index >= 0 && index < static_cast<int>(kStillSizes.size()) ? kStillSizes[index] : "";
}

}  // namespace

std::string SizeLabel() {
  const CameraSettings& settings = Settings();
  if (Camera().mode.load() == CameraMode::kVideo) {
    return settings.aviresolution == 1 ? kStreamSizes[1] : kStreamSizes[0];
  }
  switch (Camera().zoom_level) {
    case 0:
      return StillSize(settings.resolution);
    case 1:
      return StillSize(settings.zoomed_still_size);
    default:
      return StillSize(3);
  }
}

std::string FrameRateText(platform::DWORD previous_tick, platform::DWORD current_tick) {
  // Two paints in the same millisecond give no rate.
  const platform::DWORD elapsed = current_tick - previous_tick;
  if (elapsed == 0) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%ldF/S", static_cast<long>(1000 / elapsed + 1));
  return text;
}

}  // namespace camera
