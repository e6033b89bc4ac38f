// Loading the overlay bitmaps from the application's module.
#include "camera/session/overlays.h"

#include <memory>

#include "camera/session/camera_state.h"
#include "overlay_bitmaps.h"
#include "overlay_layout.h"

namespace camera {

platform::HBITMAP OverlayBitmaps::Get(int id) {
  auto found = bitmaps_.find(id);
  if (found != bitmaps_.end()) return found->second.get();
  GdiObject<platform::HBITMAP> bitmap(platform::LoadBitmap(instance_, id));
  platform::HBITMAP handle = bitmap.get();
  // A missing bitmap is not asked for again until the next reload.
  bitmaps_.emplace(id, std::move(bitmap));
  return handle;
}

OverlayBitmaps& Overlays() {
  CameraState& camera = Camera();
  if (!camera.overlays) camera.overlays = std::make_unique<OverlayBitmaps>(camera.instance);
  return *camera.overlays;
}

void LoadOverlayBitmaps() {
  OverlayBitmaps& overlays = Overlays();
  overlays.Clear();
  for (const OverlayPlacement& overlay : SettingsOverlays()) overlays.Get(overlay.id);
}

void LoadFramingOverlay() { Overlays().Get(FramingOverlay().id); }

void ReleaseOverlayBitmaps() { Camera().overlays.reset(); }

}  // namespace camera
