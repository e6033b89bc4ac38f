// Still capture: the shutter with its self-timer, one capture request to the
// driver, the picture counter, the instant review with tap-to-delete, and
// Play, which hands the last picture to the gallery. Everything runs on the
// user-interface thread except the review thread, which only watches the
// clock and clears the review flag.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/threads.h"
#include "platform/types.h"

namespace camera {

class ReviewTimer;

// Where a shutter press came from: the action key (whose press also drops
// what waits in the main window's queue) or the Shutter button. The text
// of a refusal for want of room differs between them.
enum class ShutterSource { kActionKey, kShutterButton };

// What still capture asks of the program around it.
struct StillCaptureProgram {
  // Greys (false) or enables again (true) the commands that must not run
  // during a capture: Play, Menu..., About..., Still and Video.
  std::function<void(bool enabled)> enable_capture_commands;
  // The shutter in Video mode: starts or stops a clip.
  std::function<void()> toggle_clip;
};

// The gallery Play starts.
inline constexpr char kGalleryProgramPath[] = "\\windows\\orsagal.exe";
// The room a picture file has for its review; a larger file is not
// reviewed.
inline constexpr std::size_t kReviewBufferBytes = 768'000;

class StillCapture {
 public:
  explicit StillCapture(StillCaptureProgram program = {});
  ~StillCapture();
  StillCapture(const StillCapture&) = delete;
  StillCapture& operator=(const StillCapture&) = delete;

  // Joins the camera session: the frame pump's self-timer step and the
  // preview window's taps come here. Again after the session was opened.
  void Attach();

  // The shutter. False when the press was refused (a review on screen, not
  // enough room): the key is used up.
  bool PressShutter(ShutterSource source);
  // One capture request at still size `resolution`.
  void TakePicture(int resolution);
  // For every frame while the self-timer runs.
  void SelfTimerStep();
  // A tap on the preview window, window coordinates.
  void ReviewTap(int x, int y);
  // Play. True when the gallery was started: the program ends now.
  bool OpenGallery();
  // Video mode chosen: a running countdown ends without a picture.
  void StopSelfTimer();

  // Pictures taken this run and not deleted again.
  int pictures_taken() const { return pictures_taken_; }
  // The numbers of those pictures, the last one last.
  const std::vector<int>& numbers_taken() const { return numbers_taken_; }

 private:
  // Reads the picture into the review buffer and decodes it into the
  // preview's picture; false when it is missing, too large or broken.
  bool DecodeForReview(const std::string& path);
  // After the driver returned: false (the file removed, the person told)
  // when the picture was not written whole.
  bool KeepOnlyWholePicture(const std::string& path);
  void ShowReview(const std::string& path, int capture_type);

  StillCaptureProgram program_;
  int pictures_taken_ = 0;
  std::vector<int> numbers_taken_;
  // The number of the picture on review (-1: none).
  int reviewed_number_ = -1;
  platform::DWORD self_timer_start_ = 0;
  std::vector<std::uint8_t> review_buffer_;
  std::unique_ptr<ReviewTimer> review_timer_;
  // What the session's hooks hold on to: gone with this instance.
  std::shared_ptr<StillCapture*> self_;
};

}  // namespace camera
