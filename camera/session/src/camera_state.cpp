// The camera state lives per handheld: each handheld runs its own camera
// application.
#include "camera/session/camera_state.h"

#include "overlay_bitmaps.h"
#include "platform/handheld.h"
#include "preview_resources.h"

namespace camera {

namespace {

class CameraService : public platform::HandheldService {
 public:
  explicit CameraService(platform::Handheld&) : state(std::make_unique<CameraState>()) {}
  std::unique_ptr<CameraState> state;
};

CameraService& Service() { return platform::Handheld::Current().GetService<CameraService>(); }

}  // namespace

CameraState::CameraState() = default;
CameraState::~CameraState() = default;

void CameraState::ResetClipFlags() {
  record_write_failed = false;
  record_stop_requested = false;
  clip_end_handled = false;
}

CameraState& Camera() { return *Service().state; }

CameraState& ResetCamera() {
  CameraService& service = Service();
  SessionHooks hooks = std::move(service.state->hooks);
  service.state = std::make_unique<CameraState>();
  service.state->hooks = std::move(hooks);
  return *service.state;
}

}  // namespace camera
