#include "overlay_layout.h"

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"

namespace camera {

namespace {

constexpr OverlayPlacement kCentreMark{265, 83, 73};
constexpr OverlayPlacement kLargeCardFrame{336, 17, 26};
constexpr OverlayPlacement kSmallCardFrame{335, 52, 46};

// Bitmap ids by setting value; 0 shows nothing.
constexpr std::array<int, 2> kMetering{268, 269};
constexpr std::array<int, 5> kWhiteBalance{0, 272, 271, 273, 0};
constexpr std::array<int, 3> kColourMode{0, 339, 340};
constexpr std::array<int, 3> kCompression{260, 259, 258};

constexpr int kZoomScale = 288;
constexpr int kZoomMarker = 289;
constexpr int kSelfTimerDigitBase = 292;  // + digit 0..10
constexpr int kSelfTimerIdle = 303;
constexpr std::array<int, 3> kRecordingIndicator{331, 330, 329};
constexpr int kClipIdle = 332;

template <std::size_t N>
int Pick(const std::array<int, N>& ids, int value) {
  return value >= 0 && static_cast<std::size_t>(value) < N ? ids[static_cast<std::size_t>(value)]
                                                           : 0;
}

bool StillMode() { return Camera().mode.load() == CameraMode::kStill; }

}  // namespace

OverlayPlacement FramingOverlay() {
  const CameraSettings& settings = Settings();
  if (!StillMode() || settings.business_card == 0) return kCentreMark;
  return settings.aviresolution == 1 ? kSmallCardFrame : kLargeCardFrame;
}

OverlayList SettingsOverlays() {
  const CameraSettings& settings = Settings();
  OverlayList list;
  const OverlayPlacement framing = FramingOverlay();
  list.Add(framing.id, framing.x, framing.y);
  if (int id = Pick(kMetering, settings.ae_metering)) list.Add(id, 23, 0);
  if (int id = Pick(kWhiteBalance, settings.awb)) list.Add(id, 46, 0);
  if (int id = Pick(kColourMode, settings.color)) list.Add(id, 69, 0);
  if (int id = Pick(kCompression, settings.imagequality)) list.Add(id, 190, 18);
  const std::uint32_t zoom = Camera().zoom_level;
  if (zoom == 1 || zoom == 2) {
    list.Add(kZoomScale, 137, 163);
    list.Add(kZoomMarker, zoom == 1 ? 190 : 226, 167);
  }
  return list;
}

OverlayList PreviewOverlays(int clip_step) {
  const CameraState& camera = Camera();
  OverlayList list = SettingsOverlays();
  if (StillMode() && Settings().selftime != 0) {
    const int digit = camera.self_timer_digit.load();
    const bool counting = camera.self_timer_running.load() && digit >= 0 && digit <= 10;
    list.Add(counting ? kSelfTimerDigitBase + digit : kSelfTimerIdle, 0, 40);
  }
  if (!StillMode()) {
    list.Add(camera.recording.load() ? Pick(kRecordingIndicator, clip_step) : kClipIdle, 2, 40);
  }
  return list;
}

}  // namespace camera
