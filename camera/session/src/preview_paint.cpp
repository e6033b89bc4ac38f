// The preview paint: the picture, the overlays and the texts are drawn into
// the back buffer and copied to the window in one block.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "camera/session/camera_state.h"
#include "camera/session/free_space.h"
#include "camera/session/preview_texts.h"
#include "camera/session/preview_window.h"
#include "camera/settings/camera_settings.h"
#include "overlay_bitmaps.h"
#include "overlay_layout.h"
#include "platform/time.h"
#include "platform/window.h"
#include "platform/window_paint.h"
#include "preview_procedure.h"
#include "preview_resources.h"

namespace camera {

namespace {

constexpr platform::COLORREF kTransparent = platform::RGB(0, 0, 0);
constexpr platform::COLORREF kWhite = platform::RGB(255, 255, 255);
constexpr platform::COLORREF kRed = platform::RGB(255, 0, 0);
constexpr int kFewPictures = 5;
constexpr int kRecordingIndicatorSteps = 3;
constexpr char kReviewHint[] = "Click picture to delete";
constexpr std::size_t kPreviewRowBytes = kPreviewWidth * 3;
constexpr std::size_t kSmallRowBytes = kSmallPictureWidth * 3;

// The decoded picture into the back buffer: 240x180 as it is, or 160x120
// centred on the black background. While the stream size is changing the
// previous layout stays until the first frame of the new size is decoded.
void ComposePicture(CameraState& camera, std::uint8_t* pixels) {
  const bool small = camera.size_changed ? camera.painted.small_layout
                                         : camera.decode_size_mode == kDecodeSmallStream;
  camera.painted.small_layout = small;
  if (!small) {
    std::memcpy(pixels, camera.decoded_image.data(), kPreviewPictureBytes);
    return;
  }
  std::memcpy(pixels, camera.background_image.data(), kPreviewPictureBytes);
  for (int y = 0; y < kSmallPictureHeight; ++y) {
    std::memcpy(pixels + (kSmallPictureY + y) * kPreviewRowBytes + kSmallPictureX * 3,
                camera.decoded_image.data() + y * kSmallRowBytes, kSmallRowBytes);
  }
}

void DrawOverlays(CameraState& camera, platform::HDC dc) {
  const int clip_step = camera.clip_indicator_step;
  OverlayBitmaps& overlays = Overlays();
  for (const OverlayPlacement& overlay : PreviewOverlays(clip_step)) {
    const platform::HBITMAP bitmap = overlays.Get(overlay.id);
    platform::BITMAP size;
    if (!bitmap || !platform::GetObject(bitmap, sizeof size, &size)) continue;
    platform::TransparentImage(dc, overlay.x, overlay.y, size.bmWidth, size.bmHeight, bitmap, 0, 0,
                               size.bmWidth, size.bmHeight, kTransparent);
  }
  if (camera.mode.load() == CameraMode::kVideo && camera.recording.load()) {
    camera.clip_indicator_step = (clip_step + 1) % kRecordingIndicatorSteps;
  }
}

void DrawLine(platform::HDC dc, const std::string& text, platform::RECT rect,
              platform::UINT alignment) {
  platform::DrawText(dc, text, &rect, alignment | platform::DT_SINGLELINE | platform::DT_NOPREFIX);
}

// Pictures left (Still) or recording seconds left (Video), in the bold font.
void DrawCount(CameraState& camera, platform::HDC dc) {
  PaintedPreview& painted = camera.painted;
  int count = 0;
  painted.count_colour = kWhite;
  if (camera.mode.load() == CameraMode::kStill) {
    count = PicturesLeft();
    if (count < kFewPictures) painted.count_colour = kRed;
  } else {
    count = RecordingSecondsLeft();
    if (count == 0 && camera.clip_open.load() && !camera.clip_end_handled.exchange(true) &&
        camera.hooks.stop_recording) {
      camera.hooks.stop_recording();
    }
  }
  painted.count_text = std::to_string(count);
  platform::SetTextColor(dc, painted.count_colour);
  DrawLine(dc, painted.count_text, kCountRect, platform::DT_RIGHT);
}

// The rate between this paint and the one before; the last rate stays when
// both fall in the same millisecond. (A tick of 0 is a real time on a
// freshly booted handheld, so the first paint is known by the count.)
void UpdateFrameRate(CameraState& camera, bool review) {
  camera.current_paint_tick = platform::GetTickCount();
  if (camera.painted.paints > 0 && !review) {
    std::string rate = FrameRateText(camera.previous_paint_tick, camera.current_paint_tick);
    if (!rate.empty()) camera.painted.frame_rate_text = std::move(rate);
  }
  camera.previous_paint_tick = camera.current_paint_tick;
}

platform::HGDIOBJ DialogFont(platform::HWND main_window) {
  auto font = reinterpret_cast<platform::HGDIOBJ>(
      platform::SendMessage(main_window, platform::WM_GETFONT, 0, 0));
  return font ? font : platform::GetStockObject(platform::DEFAULT_GUI_FONT);
}

void DrawTexts(CameraState& camera, const PreviewResources& resources, platform::HDC dc) {
  PaintedPreview& painted = camera.painted;
  const bool review = camera.review_showing.load() && Settings().instant_review != 0;
  platform::SetBkMode(dc, platform::TRANSPARENT);
  const platform::HGDIOBJ original = platform::SelectObject(dc, resources.bold_font.get());
  DrawCount(camera, dc);

  platform::SelectObject(dc, DialogFont(camera.main_window));
  platform::SetTextColor(dc, kWhite);
  painted.review_hint = review;
  if (review) DrawLine(dc, kReviewHint, kReviewHintRect, platform::DT_LEFT);
  painted.size_label = SizeLabel();
  DrawLine(dc, painted.size_label, kSizeLabelRect, platform::DT_RIGHT);
  UpdateFrameRate(camera, review);
  if (!review) DrawLine(dc, painted.frame_rate_text, kFrameRateRect, platform::DT_RIGHT);
  platform::SelectObject(dc, original);
}

}  // namespace

void PaintPreview(platform::HWND hwnd) {
  platform::PAINTSTRUCT paint;
  const platform::HDC window_dc = platform::BeginPaint(hwnd, &paint);
  CameraState& camera = Camera();
  const PreviewResources* resources = camera.preview_resources.get();
  if (window_dc && resources) {
    const platform::HDC dc = resources->back_dc->get();
    ComposePicture(camera, resources->back_pixels);
    DrawOverlays(camera, dc);
    DrawTexts(camera, *resources, dc);
    platform::BitBlt(window_dc, 0, 0, kPreviewWidth, kPreviewHeight, dc, 0, 0, platform::SRCCOPY);
    ++camera.painted.paints;
  }
  platform::EndPaint(hwnd, &paint);
}

}  // namespace camera
