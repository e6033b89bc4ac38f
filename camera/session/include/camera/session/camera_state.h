// The camera state: one instance for the running camera application, made
// fresh by OpenCamera. Every field is a plain value owned by the
// user-interface thread, except the flags that the small worker threads of
// still capture and recording set or clear (atomics).
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "codec/jpeg_decoder.h"
#include "platform/devices.h"
#include "platform/gdi_types.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/screen.h"
#include "platform/types.h"

namespace camera {

// The process-wide mode the program switches (Still at every start).
enum class CameraMode : std::uint32_t { kStill = 0, kVideo = 1 };

// The preview area at the top of the screen.
inline constexpr int kPreviewWidth = platform::screen::kWidth;
inline constexpr int kPreviewHeight = 180;
// The 160x120 picture of the small stream sits here on black.
inline constexpr int kSmallPictureX = 40;
inline constexpr int kSmallPictureY = 28;
inline constexpr int kSmallPictureWidth = 160;
inline constexpr int kSmallPictureHeight = 120;

inline constexpr std::size_t kJpegBufferBytes = 307'200;
// The decoded and background images are kept in buffers of this size; a
// 240x180 picture takes the first kPreviewPictureBytes of them.
inline constexpr std::size_t kImageBufferBytes = 172'800;
inline constexpr std::size_t kPreviewPictureBytes = kPreviewWidth * kPreviewHeight * 3;

// Decode size modes of the codec for the two streams.
inline constexpr int kDecodeLargeStream = 9;   // 320x240 stream to 240x180
inline constexpr int kDecodeSmallStream = 10;  // 160x120 stream to 160x120

// The places where still capture and recording join the session. Each is
// called only when set; the flags below say when.
struct SessionHooks {
  // Frame pump, for every frame message while `self_timer_running`.
  std::function<void()> self_timer_step;
  // A stylus tap (left button down) on the preview window, window
  // coordinates.
  std::function<void(int x, int y)> review_tap;
  // Frame pump while `recording`: appends one whole JPEG image as the
  // clip's next video frame; false when the append failed.
  std::function<bool(const std::uint8_t* jpeg, std::size_t length)> append_video_frame;
  // Paint in Video mode: no recording time is left while a clip is open
  // and its end has not been handled yet.
  std::function<void()> stop_recording;
};

// What the last paint drew, for the program and its tests to look at.
struct PaintedPreview {
  // Counted by the program's thread, read by whoever measures its rate.
  std::atomic<std::uint64_t> paints{0};
  bool small_layout = false;  // the 160x120 picture on black
  std::string count_text;
  platform::COLORREF count_colour = 0;
  std::string size_label;
  std::string frame_rate_text;
  bool review_hint = false;
};

// GDI objects and the decoder of the preview window (preview_window.cpp).
struct PreviewResources;
// The overlay bitmaps, by id (overlays.cpp).
class OverlayBitmaps;

struct CameraState {
  CameraState();
  ~CameraState();
  CameraState(const CameraState&) = delete;
  CameraState& operator=(const CameraState&) = delete;

  // Device and windows.
  platform::DeviceHandle device;  // "SIO1:"; empty while closed
  platform::HWND main_window = nullptr;
  platform::HWND preview_window = nullptr;  // START_PREVIEW receives its address
  platform::HINSTANCE instance = nullptr;   // the application's module: bitmaps, sounds

  // Stream.
  std::uint32_t streaming = 0;
  std::uint32_t current_capture_type = 0;
  std::uint32_t zoom_level = 0;  // 0 none, 1 2x window, 2 4x window
  std::uint32_t frame_message_count = 0;
  std::uint8_t reopen_failures = 0;
  std::uint8_t size_changed = 0;
  int decode_size_mode = kDecodeLargeStream;

  // Mode and the flags of still capture and recording.
  std::atomic<CameraMode> mode{CameraMode::kStill};
  std::atomic<bool> capturing{false};
  std::atomic<bool> self_timer_running{false};
  std::atomic<int> self_timer_digit{0};     // 0..10, the digit shown
  std::atomic<bool> review_showing{false};  // a review picture is on screen
  std::atomic<bool> recording{false};       // a clip is being recorded
  std::atomic<bool> clip_open{false};
  std::atomic<bool> record_write_failed{false};  // set by the recorder
  bool record_stop_requested = false;            // the stop was asked for once
  std::atomic<bool> clip_end_handled{false};
  // Time spent in calls to the driver, which wait on the card's hardware
  // sequences (settling, raw frames, compression) and move its data over
  // the bus. Read by whoever measures what the program adds to them.
  std::atomic<std::uint64_t> device_call_us{0};
  // Every clip starts with no write failure, no stop asked for and its end
  // not handled.
  void ResetClipFlags();
  SessionHooks hooks;

  // Pictures. The driver's frame is received at byte 170 of the JPEG
  // buffer, right behind the header copied there.
  std::vector<std::uint8_t> jpeg_buffer = std::vector<std::uint8_t>(kJpegBufferBytes);
  std::vector<std::uint8_t> decoded_image = std::vector<std::uint8_t>(kImageBufferBytes);
  std::vector<std::uint8_t> background_image = std::vector<std::uint8_t>(kImageBufferBytes);
  codec::JpegDecoderPtr decoder;
  std::array<std::uint8_t, 4> frame_request{};  // GET_FRAME's input

  // Paint.
  platform::DWORD previous_paint_tick = 0;
  platform::DWORD current_paint_tick = 0;
  int clip_indicator_step = 0;
  PaintedPreview painted;
  std::unique_ptr<PreviewResources> preview_resources;
  std::unique_ptr<OverlayBitmaps> overlays;
};

// The camera state of the application running on the current handheld.
CameraState& Camera();
// Replaces it with a fresh one (OpenCamera's first step); the hooks stay.
CameraState& ResetCamera();

}  // namespace camera
