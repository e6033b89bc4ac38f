#include "camera/still/still_capture.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/device_calls.h"
#include "camera/session/free_space.h"
#include "camera/session/preview_window.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_writers.h"
#include "camera/still/picture_names.h"
#include "camera/still/snapshot_request.h"
#include "camera/strings/string_library.h"
#include "codec/jpeg_decoder.h"
#include "driver/orsadrv.h"
#include "platform/cursor.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/programs.h"
#include "platform/time.h"
#include "platform/window.h"
#include "review_thread.h"

namespace camera {

using namespace platform;

namespace {

constexpr UINT kCaptionString = 50004;
constexpr UINT kDeleteQuestionString = 50080;
constexpr UINT kNoRoomFromActionKeyString = 50081;
constexpr char kNoRoomText[] = "Not enough space, can not take a snapshot!";
constexpr char kPathTooLongText[] =
    "The picture's folder and name are too long to take a snapshot. Choose a shorter folder or "
    "file name prefix.";
constexpr char kNotWrittenText[] =
    "The picture could not be written whole (the card was removed or the storage is full). "
    "Nothing of it has been kept.";
constexpr char kGalleryFailedText[] = "ERROR::\n Run orsagal.exe faile!";

constexpr int kActionKeyQueueRemovals = 3;
// How long a review shows per step of `instant review`.
constexpr DWORD kReviewStepMs = 2'000;
// Settling after a capture: longer for the small picture types.
constexpr DWORD kSettleMs = 25;
constexpr DWORD kSettleSmallPictureMs = 100;
// The driver's own header of every picture; a file of no more is empty.
constexpr DWORD kStillHeaderBytes = 1'515;
// A whole picture ends with its end-of-image marker, which the module may
// follow with a byte or two of padding.
constexpr BYTE kEndOfImage[] = {0xFF, 0xD9};
constexpr DWORD kEndLookBytes = 4;

// The self-timer's countdown, with its digit shown for each second.
constexpr DWORD kSecondMs = 1'000;
constexpr DWORD kTwoSecondHeadStartMs = 8'000;
constexpr DWORD kCountdownSeconds = 10;
constexpr int kTwoSecondFirstDigit = 2;

// The tap area of the 160x120 review picture.
constexpr RECT kSmallReviewTapArea{40, 28, 200, 152};

// Keys, and taps on the camera's dialog and its buttons and preview, that
// reached this thread while a capture held it were meant for a camera that
// could not answer: they are dropped, so that a button pressed during the
// capture does not act once it is over (a tap on the preview would even ask
// to delete the new picture). The menu bar is a window of its own: a tap on
// Exit, which stays available, is kept.
void DropInputQueuedDuringCapture(HWND main_window) {
  MSG dropped;
  while (PeekMessage(&dropped, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  if (!main_window) return;
  std::vector<HWND> windows{main_window};
  EnumChildWindows(
      main_window,
      [&windows](HWND child, LPARAM) {
        windows.push_back(child);
        return TRUE;
      },
      0);
  for (HWND window : windows) {
    while (PeekMessage(&dropped, window, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
  }
}

// The five commands greyed during a capture, and the wait cursor, for the
// length of one capture request.
class CaptureInProgress {
 public:
  explicit CaptureInProgress(const StillCaptureProgram& program) : program_(program) {
    Camera().capturing = true;
    if (program_.enable_capture_commands) program_.enable_capture_commands(false);
  }
  ~CaptureInProgress() {
    DropInputQueuedDuringCapture(Camera().main_window);
    Camera().capturing = false;
    if (program_.enable_capture_commands) program_.enable_capture_commands(true);
  }
  CaptureInProgress(const CaptureInProgress&) = delete;
  CaptureInProgress& operator=(const CaptureInProgress&) = delete;

 private:
  const StillCaptureProgram& program_;
};

// The decoder's still-picture conversion while a review is decoded.
class StillPictureConversion {
 public:
  explicit StillPictureConversion(codec::JpegDecoder& decoder) : decoder_(decoder) {
    codec::JpegSetFastThreeQuarter(decoder_, false);
  }
  ~StillPictureConversion() { codec::JpegSetFastThreeQuarter(decoder_, true); }
  StillPictureConversion(const StillPictureConversion&) = delete;
  StillPictureConversion& operator=(const StillPictureConversion&) = delete;

 private:
  codec::JpegDecoder& decoder_;
};

void Tell(HWND owner, std::string_view text, UINT icon) {
  const std::string caption = LocalizedText(kCaptionString);
  MessageBox(owner, text, caption, MB_OK | icon);
}

bool NoRoom() { return PicturesLeft() <= 1; }

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

StillCapture::StillCapture(StillCaptureProgram program)
    : program_(std::move(program)),
      review_buffer_(kReviewBufferBytes),
      review_timer_(std::make_unique<ReviewTimer>()),
      self_(std::make_shared<StillCapture*>(this)) {}

StillCapture::~StillCapture() { review_timer_->Stop(); }

void StillCapture::Attach() {
  // The session's state outlives this program's run, and the next run may
  // attach its own still capture before this one is gone: the hooks reach
  // this instance only while it lives, and are never cleared from here.
  std::weak_ptr<StillCapture*> self = self_;
  SessionHooks& hooks = Camera().hooks;
  hooks.self_timer_step = [self] {
    if (std::shared_ptr<StillCapture*> alive = self.lock()) (*alive)->SelfTimerStep();
  };
  hooks.review_tap = [self](int x, int y) {
    if (std::shared_ptr<StillCapture*> alive = self.lock()) (*alive)->ReviewTap(x, y);
  };
}

bool StillCapture::PressShutter(ShutterSource source) {
  CameraState& camera = Camera();
  if (source == ShutterSource::kActionKey) {
    // Whatever the key left waiting is dropped.
    MSG dropped;
    for (int i = 0; i < kActionKeyQueueRemovals; ++i) {
      PeekMessage(&dropped, camera.main_window, 0, 0, PM_REMOVE);
    }
  }
  // A press that reaches here through a box shown during a capture: the
  // capture runs on this very thread, so nothing could wait for its end.
  if (camera.capturing) return false;
  if (camera.mode == CameraMode::kVideo) {
    if (program_.toggle_clip) program_.toggle_clip();
    return true;
  }
  if (camera.review_showing) return false;
  if (NoRoom()) {
    if (source == ShutterSource::kActionKey) {
      const std::string text = LocalizedText(kNoRoomFromActionKeyString);
      Tell(camera.main_window, text, MB_ICONERROR);
    } else {
      Tell(camera.main_window, kNoRoomText, MB_ICONERROR);
    }
    return false;
  }
  const int selftime = Settings().selftime;
  if (selftime != 0) {
    camera.self_timer_digit =
        selftime == 1 ? kTwoSecondFirstDigit : static_cast<int>(kCountdownSeconds);
    camera.self_timer_running = true;
    self_timer_start_ = GetTickCount();
    return true;
  }
  TakePicture(Settings().resolution);
  return true;
}

void StillCapture::SelfTimerStep() {
  CameraState& camera = Camera();
  DWORD elapsed = GetTickCount() - self_timer_start_;
  if (Settings().selftime == 1) elapsed += kTwoSecondHeadStartMs;
  const DWORD seconds = elapsed / kSecondMs;
  const bool on_the_second = elapsed % kSecondMs == 0;
  if (seconds > kCountdownSeconds && !(seconds == kCountdownSeconds + 1 && on_the_second)) {
    camera.self_timer_running = false;
    TakePicture(Settings().resolution);
  } else if (!on_the_second || elapsed == 0) {
    camera.self_timer_digit =
        static_cast<int>(kCountdownSeconds - std::min(seconds, kCountdownSeconds));
  }
  InvalidatePreview();
}

void StillCapture::StopSelfTimer() { Camera().self_timer_running = false; }

void StillCapture::TakePicture(int resolution) {
  CameraState& camera = Camera();
  if (!camera.device) return;
  if (NoRoom()) {
    Tell(camera.main_window, kNoRoomText, MB_ICONERROR);
    return;
  }
  FallBackFromMissingFolderInUse();
  const int number = Settings().jpgno;
  const std::string path = PicturePath(number);
  const int capture_type = SnapshotCaptureType(resolution);
  orsadrv::SioSnapshotRequest request;
  if (!FillSnapshotRequest(capture_type, path, camera.instance, &request)) {
    // Nothing is sent: the record cannot hold the path.
    Tell(camera.main_window, kPathTooLongText, MB_ICONERROR);
    return;
  }

  review_timer_->Stop();
  camera.review_showing = false;
  reviewed_number_ = -1;
  CaptureInProgress capture(program_);
  {
    StopPreview();
    platform::WaitCursor wait;
    // The call returns once the driver has written the file.
    CameraControl(orsadrv::IOCTL_SIO_SNAPSHOT, &request, sizeof request);
    AdvancePictureCounter();
    ++pictures_taken_;
    numbers_taken_.push_back(number);
  }
  StartPreview(PreviewCaptureType());
  if (!KeepOnlyWholePicture(path)) {
    Sleep(kSettleMs);
    return;
  }
  if (Settings().instant_review != 0) {
    reviewed_number_ = number;
    ShowReview(path, capture_type);
  } else {
    Sleep(kSettleMs);
  }
}

bool StillCapture::KeepOnlyWholePicture(const std::string& path) {
  bool whole = false;
  if (FileHandle file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING)) {
    const DWORD size = GetFileSize(file, nullptr);
    std::array<BYTE, kEndLookBytes> end{};
    DWORD read = 0;
    if (size != INVALID_FILE_SIZE && size >= kStillHeaderBytes + kEndLookBytes &&
        SetFilePointer(file, -static_cast<LONG>(kEndLookBytes), nullptr, FILE_END) !=
            INVALID_SET_FILE_POINTER &&
        ReadFile(file, end.data(), kEndLookBytes, &read) && read == kEndLookBytes) {
      whole = std::search(end.begin(), end.end(), std::begin(kEndOfImage), std::end(kEndOfImage)) !=
              end.end();
    }
  }
  if (whole) return true;
  // A picture cut short must not pass for one.
  DeleteFile(path);
  Tell(Camera().main_window, kNotWrittenText, MB_ICONERROR);
  return false;
}

void StillCapture::ShowReview(const std::string& path, int capture_type) {
  CameraState& camera = Camera();
  camera.review_showing = true;
  if (!DecodeForReview(path)) {
    // Nothing to show: the live preview goes on rather than a stale picture.
    camera.review_showing = false;
    reviewed_number_ = -1;
    Sleep(kSettleMs);
    return;
  }
  InvalidatePreview();
  const bool small_picture = capture_type == 4 || capture_type == 8 || capture_type == 17;
  Sleep(small_picture ? kSettleSmallPictureMs : kSettleMs);
  review_timer_->Start(static_cast<DWORD>(Settings().instant_review) * kReviewStepMs);
}

bool StillCapture::DecodeForReview(const std::string& path) {
  CameraState& camera = Camera();
  if (!camera.decoder) return false;
  FileHandle file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return false;
  const DWORD size = GetFileSize(file, nullptr);
  if (size == INVALID_FILE_SIZE || size > review_buffer_.size()) return false;
  DWORD read = 0;
  if (!ReadFile(file, review_buffer_.data(), size, &read) || read != size) return false;
  StillPictureConversion conversion(*camera.decoder);
  codec::JpegCursors& cursors = codec::JpegDecoderCursors(*camera.decoder);
  cursors.source = review_buffer_.data();
  cursors.source_left = read;
  cursors.sink = camera.decoded_image.data();
  return codec::JpegDecode(camera.decode_size_mode, camera.decoder.get(), 0) == codec::kJpegOk;
}

void StillCapture::ReviewTap(int x, int y) {
  CameraState& camera = Camera();
  if (!camera.review_showing || Settings().instant_review == 0 || reviewed_number_ < 0) return;
  const int aviresolution = Settings().aviresolution;
  if (aviresolution == 1) {
    const RECT& area = kSmallReviewTapArea;
    if (x < area.left || x > area.right || y < area.top || y > area.bottom) return;
  } else if (aviresolution != 0) {
    return;
  }
  camera.review_showing = false;
  review_timer_->Stop();
  InvalidatePreview();
  const std::string question = LocalizedText(kDeleteQuestionString);
  const std::string caption = LocalizedText(kCaptionString);
  if (MessageBox(camera.preview_window, question, caption, MB_OKCANCEL | MB_ICONEXCLAMATION) !=
      IDOK) {
    return;
  }
  // The reviewed picture's number comes round again, also right after the
  // counter wrapped from 9999 to 1.
  const int number = reviewed_number_;
  reviewed_number_ = -1;
  --pictures_taken_;
  if (!numbers_taken_.empty() && numbers_taken_.back() == number) numbers_taken_.pop_back();
  RewindPictureCounter(number);
  DeleteFile(PicturePath(number));
}

bool StillCapture::OpenGallery() {
  StopPreview();
  CameraControl(orsadrv::IOCTL_SIO_POWER_DOWN, nullptr, 0);
  std::string command_line;
  if (pictures_taken_ != 0 && !numbers_taken_.empty()) {
    // A picture the driver could not write is not handed on.
    const std::string last = PicturePath(numbers_taken_.back());
    if (FileExists(last)) command_line = last;
  }
  if (CreateProcess(kGalleryProgramPath, command_line)) return true;
  Tell(Camera().main_window, kGalleryFailedText, 0);
  return false;
}

}  // namespace camera
