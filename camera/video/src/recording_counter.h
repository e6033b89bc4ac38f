// The recording time counter: a thread that counts the seconds of a clip
// and posts WM_CAM_REFRESH to the main window after each one, so that the
// status area follows the time.
#pragma once

#include <atomic>

#include "platform/messages.h"
#include "platform/threads.h"

namespace camera {

class RecordingCounter {
 public:
  RecordingCounter() = default;
  ~RecordingCounter() { Stop(); }
  RecordingCounter(const RecordingCounter&) = delete;
  RecordingCounter& operator=(const RecordingCounter&) = delete;

  // Seconds from 0; false when the thread could not be started.
  bool Start(platform::HWND main_window);
  // Ends the thread and waits for it, so no second is added once this
  // returns; the whole seconds counted (-1 when it was not running).
  int Stop();
  // Seconds so far; -1 while idle.
  int seconds() const { return seconds_.load(); }

 private:
  platform::DWORD CountSeconds(platform::HWND main_window);

  std::atomic<int> seconds_{-1};
  platform::EventHandle stop_;
  platform::ThreadHandle thread_;
};

}  // namespace camera
