#include "camera/still/snapshot_request.h"

#include <algorithm>
#include <string>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "driver/orsadrv.h"
#include "platform/utf16.h"

namespace camera {

namespace {

// Capture types at zoom level 0 by `resolution` 0..3; any other value is
// sent as it is.
constexpr int kUnzoomedTypes[] = {0, 1, 2, 4};
constexpr int kZoom1Type640 = 7;
constexpr int kZoom1Type320 = 8;
constexpr int kZoom2Type = 17;
constexpr int kZoomedStill320 = 3;

}  // namespace

int SnapshotCaptureType(int resolution) {
  switch (Camera().zoom_level) {
    case 0:
      return resolution >= 0 && resolution <= 3 ? kUnzoomedTypes[resolution] : resolution;
    case 1:
      return Settings().zoomed_still_size == kZoomedStill320 ? kZoom1Type320 : kZoom1Type640;
    default:
      return kZoom2Type;
  }
}

bool FillSnapshotRequest(int capture_type, std::string_view path, platform::HMODULE sound_module,
                         orsadrv::SioSnapshotRequest* request) {
  const std::u16string wide = platform::Utf8ToUtf16(path);
  static_assert(std::size(orsadrv::SioSnapshotRequest{}.path) == kSnapshotPathLimit + 1);
  if (wide.size() > kSnapshotPathLimit) return false;
  const CameraSettings& settings = Settings();
  *request = {};
  request->capture_type = static_cast<platform::BYTE>(capture_type);
  request->quality = static_cast<platform::BYTE>(settings.imagequality & 0xFF);
  std::copy(wide.begin(), wide.end(), request->path);
  const bool sound = settings.recordwithaudio != 0 && settings.camera_sound != 0;
  request->sound_module = sound ? sound_module : nullptr;
  return true;
}

}  // namespace camera
