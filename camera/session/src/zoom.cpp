// The digital zoom. Each level is its own preview stream, so a step stops
// the stream and starts it again with the level's capture type and header.
#include "camera/session/zoom.h"

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "platform/sound.h"
#include "stream_header.h"

namespace camera {

namespace {

constexpr std::uint32_t kMaxZoomLevel = 2;
// Still size indexes that apply while zoomed.
constexpr int kZoomedStill640 = 2;
constexpr int kZoomedStill320 = 3;

void ChangeZoom(std::uint32_t level, const char* sound) {
  CameraState& camera = Camera();
  camera.zoom_level = level;
  StopPreview();
  // The decode size mode stays: the stream size has not changed.
  CopyHeaderTemplate();
  StartPreview(PreviewCaptureType());
  if (level == 1) Settings().zoomed_still_size = kZoomedStill640;
  if (level == 2) Settings().zoomed_still_size = kZoomedStill320;
  // The zoom sounds follow the clip-audio setting.
  if (Settings().recordwithaudio != 0) {
    platform::PlaySound(sound, camera.instance, platform::SND_RESOURCE | platform::SND_ASYNC);
  }
}

}  // namespace

bool ZoomIn() {
  const std::uint32_t level = Camera().zoom_level;
  if (level >= kMaxZoomLevel) return false;
  ChangeZoom(level + 1, "zoomin");
  return true;
}

bool ZoomOut() {
  const std::uint32_t level = Camera().zoom_level;
  if (level == 0) return false;
  ChangeZoom(level - 1, "zoomout");
  return true;
}

}  // namespace camera
