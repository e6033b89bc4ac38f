#include "player_window.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "audio_feeder.h"
#include "clip/avi_reader.h"
#include "frame_decoder.h"
#include "platform/common_controls/registration.h"
#include "platform/common_controls/trackbar.h"
#include "platform/dialogs.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/time.h"
#include "platform/window.h"
#include "platform/window_paint.h"
#include "player_buttons.h"
#include "sound_ring.h"

namespace clip {

namespace {

using namespace platform;
using namespace clip::player;

constexpr UINT_PTR kFrameTimer = 100;
constexpr DWORD kCloseWaitMs = 50;
constexpr char kCannotPlay[] = "Can't play this format AVI file.";
constexpr char kHelpText[] = "Tarvolen\nVer 1.20\nTarvolen Software, P.O. Box 1200, Harbour Road";

// Milliseconds a frame stays on screen: the video stream's scale over its
// rate, or the main header's period when a damaged header has no rate.
DWORD FrameDurationMs(const AviClip& clip) {
  if (!clip.has_video) return 0;
  const std::uint64_t scale = clip.video_header.dwScale;
  const std::uint64_t rate = clip.video_header.dwRate;
  if (rate != 0)
    return static_cast<DWORD>(std::min<std::uint64_t>(1000 * scale / rate, 0xFFFFFFFF));
  return clip.main_header.dwMicroSecPerFrame / 1000;
}

// " mm:ss" of a length in milliseconds.
std::string ClockText(std::uint64_t ms) {
  const std::uint64_t seconds = ms / 1000;
  char text[32];
  // " %0.2d:%0.2d" as the handheld prints it: two digits at least.
  std::snprintf(text, sizeof text, " %.2d:%.2d", static_cast<int>(seconds / 60),
                static_cast<int>(seconds % 60));
  return text;
}

bool InsideCircle(POINT point, POINT centre, int radius) {
  const int dx = point.x - centre.x;
  const int dy = point.y - centre.y;
  return dx * dx + dy * dy <= radius * radius;
}

struct DeleteGdiObject {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, DeleteGdiObject>;

class Player {
 public:
  Player(HINSTANCE module, std::string_view path) : module_(module), path_(path) {}

  INT_PTR Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_INITDIALOG:
        hwnd_ = hwnd;
        Open();
        return TRUE;
      case WM_PAINT:
        Paint();
        return TRUE;
      case WM_ERASEBKGND:
        return TRUE;
      case WM_TIMER:
        if (wparam == kFrameTimer) Tick();
        return TRUE;
      case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lparam) == slider_) Seek();
        return TRUE;
      case WM_LBUTTONDOWN:
        PenDown({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return TRUE;
      case WM_LBUTTONUP:
        return PenUp({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}, message, wparam, lparam);
      case WM_COMMAND:
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) Close();
        return TRUE;
      case WM_CLOSE:
        Close();
        return TRUE;
      default:
        return FALSE;
    }
  }

 private:
  void Open() {
    MoveWindow(hwnd_, kWindowRect.left, kWindowRect.top, kWindowRect.right - kWindowRect.left,
               kWindowRect.bottom - kWindowRect.top, FALSE);
    clip_ = AviOpen(path_);
    if (!clip_) {
      MessageBox(hwnd_, kCannotPlay, kPlayerCaption, MB_OK | MB_ICONERROR);
      EndDialog(hwnd_, IDCANCEL);
      return;
    }
    frame_count_ = clip_->frame_count();
    frame_ms_ = FrameDurationMs(*clip_);
    wide_ = clip_->main_header.dwWidth == 320;
    mode_ = wide_ ? kMode240x180Rgb565 : kMode160x120Rgb565;
    picture_rect_ = wide_ ? kWidePicture : kNarrowPicture;
    if (clip_->has_audio && clip_->audio_index.entries.size() > 1) {
      const WaveFormat& format = clip_->audio_format;
      ring_ = std::make_unique<SoundRing>(SoundRingConfig{THREAD_PRIORITY_NORMAL, 64, 320,
                                                          format.nChannels, format.nSamplesPerSec,
                                                          format.wBitsPerSample});
      feeder_ = std::make_unique<AudioFeeder>(*clip_, clip_lock_, *ring_);
    }
    background_.reset(LoadBitmap(module_, kBackgroundBitmap));
    for (int b = 0; b < kButtonCount; ++b) {
      for (ButtonState s : {kHeld, kInactive, kActive}) {
        button_bitmaps_[b][s - 1].reset(LoadBitmap(module_, ButtonBitmap(Button(b), s)));
      }
    }
    MakePictureBitmap();
    slider_ = CreateWindowEx(
        0, TRACKBAR_CLASS, "", WS_CHILD | WS_VISIBLE | TBS_NOTICKS, kSliderRect.left,
        kSliderRect.top, kSliderRect.right - kSliderRect.left, kSliderRect.bottom - kSliderRect.top,
        hwnd_, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kSliderId)), module_, nullptr);
    SendMessage(slider_, TBM_SETRANGE, TRUE,
                MAKELPARAM(1, static_cast<WORD>(std::max<DWORD>(frame_count_, 1))));
    SetSlider(1);
    if (frame_count_ > 0) ShowFrame(1);
    // Until play, the time box shows the clip's whole length.
    time_text_ = ClockText(std::uint64_t{frame_count_} * frame_ms_);
  }

  void MakePictureBitmap() {
    const codec::JpegModeGeometry geometry = codec::JpegModeInfo(mode_);
    BITMAPINFO info;
    info.bmiHeader.biWidth = geometry.width;
    info.bmiHeader.biHeight = -geometry.height;
    info.bmiHeader.biBitCount = 16;
    void* bits = nullptr;
    picture_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    picture_bits_ = static_cast<std::uint8_t*>(bits);
    scratch_.resize(codec::JpegOutputSize(mode_));
  }

  // Seeks to frame n (1-based), decodes it and shows it with its time.
  void ShowFrame(DWORD n) {
    {
      std::lock_guard guard(clip_lock_);
      if (AviSeek(*clip_, n) != 0 && clip_->has_video) return;
    }
    if (ReadAndDecode()) {
      time_text_ = ClockText(std::uint64_t{n} * frame_ms_);
      InvalidateRect(hwnd_, &picture_rect_, FALSE);
      InvalidateRect(hwnd_, &kTimeRect, FALSE);
    }
  }

  // The next frame under the video cursor into the picture; false (and the
  // picture as it was) when it cannot be read or decoded.
  bool ReadAndDecode() {
    if (!decoder_.ReadFrame(*clip_) || !decoder_.Decode(mode_, scratch_)) return false;
    if (picture_bits_) std::copy(scratch_.begin(), scratch_.end(), picture_bits_);
    return true;
  }

  void SetSlider(DWORD position) { SendMessage(slider_, TBM_SETPOS, TRUE, position); }

  void Start() {
    if (timer_running_ || frame_ms_ == 0) return;
    timer_running_ = SetTimer(hwnd_, kFrameTimer, frame_ms_, nullptr) != 0;
    DWORD position = static_cast<DWORD>(SendMessage(slider_, TBM_GETPOS, 0, 0));
    if (position < 2) position = 1;
    {
      std::lock_guard guard(clip_lock_);
      AviSeek(*clip_, position);
    }
    current_ = position - 1;
    if (feeder_) feeder_->Start();
  }

  void StopSound() {
    if (feeder_) feeder_->Stop();
  }

  void StopTimer() {
    if (timer_running_) KillTimer(hwnd_, kFrameTimer);
    timer_running_ = false;
  }

  void Pause() {
    StopSound();
    StopTimer();
  }

  void Stop() {
    StopSound();
    if (ring_) ring_->Flush();
    StopTimer();
    current_ = 0;
    buttons_.Reset();
    SetSlider(1);
    time_text_ = ClockText(0);
    InvalidateRect(hwnd_, nullptr, FALSE);
  }

  void Tick() {
    bool at_end = false;
    if (current_ >= frame_count_) {
      current_ = 0;
      SetSlider(1);
      at_end = true;
    }
    if (ReadAndDecode()) {
      time_text_ = ClockText(std::uint64_t{current_ + 1} * frame_ms_);
      InvalidateRect(hwnd_, &picture_rect_, FALSE);
      InvalidateRect(hwnd_, &kTimeRect, FALSE);
      SetSlider(current_ + 1);
    }
    if (at_end) {
      StopTimer();
      current_ = 0;
      buttons_.Reset();
      InvalidateRect(hwnd_, nullptr, FALSE);
    } else {
      ++current_;
    }
  }

  void Seek() {
    if (!clip_ || frame_count_ == 0) return;
    const DWORD position = static_cast<DWORD>(SendMessage(slider_, TBM_GETPOS, 0, 0));
    ShowFrame(position);
    current_ = position;
  }

  void PenDown(POINT point) {
    if (const std::optional<Button> button = ButtonAt(point); button && buttons_.Press(*button)) {
      InvalidateButtons();
    }
  }

  INT_PTR PenUp(POINT point, UINT message, WPARAM wparam, LPARAM lparam) {
    if (InsideCircle(point, kHelpSpot, kSpotRadius)) {
      MessageBox(hwnd_, kHelpText, "HELP", MB_OK | MB_ICONINFORMATION);
      return TRUE;
    }
    if (InsideCircle(point, kDefaultSpot, kSpotRadius)) {
      DefWindowProc(hwnd_, message, wparam, lparam);
      return TRUE;
    }
    const std::optional<Button> command = buttons_.Release(ButtonAt(point));
    if (command == kPlay) {
      Start();
      buttons_.Playing();
    } else if (command == kPause) {
      Pause();
      buttons_.Paused();
    } else if (command == kStop) {
      Stop();
    }
    InvalidateButtons();
    return TRUE;
  }

  void InvalidateButtons() {
    for (const RECT& rect : kButtonRects) InvalidateRect(hwnd_, &rect, FALSE);
  }

  void Close() {
    if (feeder_) feeder_->Stop();
    StopTimer();
    // The sound still queued plays out its last blocks meanwhile.
    Sleep(kCloseWaitMs);
    feeder_.reset();
    ring_.reset();
    AviClose(std::move(clip_));
    EndDialog(hwnd_, IDOK);
  }

  void Blit(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }

  void Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    Blit(dc, background_.get(), 0, 0, kWindowRect.right - kWindowRect.left,
         kWindowRect.bottom - kWindowRect.top);
    if (picture_ && frame_count_ > 0) {
      Blit(dc, picture_.get(), picture_rect_.left, picture_rect_.top,
           picture_rect_.right - picture_rect_.left, picture_rect_.bottom - picture_rect_.top);
    }
    for (int b = 0; b < kButtonCount; ++b) {
      const RECT& r = kButtonRects[b];
      Blit(dc, button_bitmaps_[b][buttons_.state(Button(b)) - 1].get(), r.left, r.top,
           r.right - r.left, r.bottom - r.top);
    }
    PaintTime(dc);
    EndPaint(hwnd_, &paint);
  }

  void PaintTime(HDC dc) {
    if (!font_) {
      LOGFONT font;
      font.lfHeight = -9;  // 7 points
      font.lfWeight = FW_NORMAL;
      font.lfFaceName = "Arial";
      font_.reset(CreateFontIndirect(&font));
    }
    RECT rect = kTimeRect;
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HGDIOBJ old = SelectObject(dc, font_.get());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, OPAQUE);
    DrawText(dc, time_text_, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
  }

  HINSTANCE module_;
  std::string path_;
  HWND hwnd_ = nullptr;
  HWND slider_ = nullptr;
  AviClipPtr clip_;
  // Guards the clip's cursors between this thread's seeks and the feeder.
  CriticalSection clip_lock_;
  DWORD frame_count_ = 0;
  DWORD frame_ms_ = 0;
  DWORD current_ = 0;
  bool wide_ = false;
  int mode_ = kMode160x120Rgb565;
  RECT picture_rect_ = kNarrowPicture;
  bool timer_running_ = false;
  std::string time_text_;
  PlayerButtons buttons_;
  FrameDecoder decoder_;
  std::vector<std::uint8_t> scratch_;
  GdiObject<HBITMAP> picture_;
  std::uint8_t* picture_bits_ = nullptr;
  GdiObject<HBITMAP> background_;
  GdiObject<HBITMAP> button_bitmaps_[kButtonCount][3];
  GdiObject<HFONT> font_;
  std::unique_ptr<SoundRing> ring_;
  std::unique_ptr<AudioFeeder> feeder_;
};

}  // namespace

void RunPlayer(HINSTANCE module, std::string_view path) {
  const INITCOMMONCONTROLSEX slider_class{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  InitCommonControlsEx(&slider_class);
  DialogTemplate dialog;
  dialog.caption = kPlayerCaption;
  dialog.style = WS_POPUP | WS_VISIBLE;
  Player player(module, path);
  DialogBoxIndirectParam(
      module, &dialog, nullptr,
      [&player](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        return player.Procedure(hwnd, message, wparam, lparam);
      },
      0);
}

}  // namespace clip
