// Records the handheld's screen while a script runs, as PNG frames a video
// can be made of. A frame is written whenever the screen has changed, at
// most one per 100 ms of the handheld's time, and is named by that time
// ("frame-000012340.png" at 12.34 s), so that the frames can be shown at
// the pace the handheld lived them even when its clock jumped ahead.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/types.h"

namespace handheld {

class ScreenRecorder {
 public:
  static constexpr std::uint64_t kMinimumGapMs = 100;

  // The folder is made when missing; frames already in it are left alone.
  explicit ScreenRecorder(std::filesystem::path folder);

  // Writes a frame when the screen has changed since the last one and that
  // one is at least kMinimumGapMs old. Call it often: the runner's idle hook.
  void Look();
  // Writes the screen as the script ends when it differs from the last
  // frame; a last frame younger than kMinimumGapMs gives it its place.
  void Finish();

  int frames_written() const { return frames_written_; }
  // The first frame that could not be written, if any.
  const std::optional<std::filesystem::path>& write_failure() const { return write_failure_; }

 private:
  // Milliseconds since recording began on the handheld's clock, counting on
  // across reboots (each boot starts its clock again at 0).
  std::uint64_t RecordingTime();
  // Composes the screen and writes it as the frame of `time` unless it looks
  // as the last frame did; replaces the last frame's file when asked.
  void Capture(std::uint64_t time, bool replace_last);

  std::filesystem::path folder_;
  std::uint64_t boot_ms_seen_ = 0;
  std::uint64_t earlier_boots_ms_ = 0;
  std::optional<std::uint64_t> change_count_seen_;
  std::optional<std::uint64_t> last_frame_time_;
  std::filesystem::path last_frame_path_;
  std::vector<platform::BYTE> last_frame_pixels_;
  int frames_written_ = 0;
  std::optional<std::filesystem::path> write_failure_;
};

}  // namespace handheld
