#include "recording_counter.h"

#include "camera/session/camera_messages.h"

namespace camera {

namespace {

constexpr platform::DWORD kSecondMs = 1'000;

}  // namespace

bool RecordingCounter::Start(platform::HWND main_window) {
  Stop();
  seconds_ = 0;
  stop_ = platform::CreateEvent(true, false);
  thread_ = platform::CreateThread([this, main_window] { return CountSeconds(main_window); },
                                   "recording counter");
  return thread_ != nullptr;
}

platform::DWORD RecordingCounter::CountSeconds(platform::HWND main_window) {
  // The stop ends the wait at once: a second that was not over is not
  // counted.
  while (platform::WaitForSingleObject(stop_, kSecondMs) == platform::WAIT_TIMEOUT) {
    seconds_.fetch_add(1);
    platform::PostMessage(main_window, WM_CAM_REFRESH, 0, 0);
  }
  return 0;
}

int RecordingCounter::Stop() {
  if (!thread_) return -1;
  platform::SetEvent(stop_);
  platform::WaitForSingleObject(thread_, platform::INFINITE);
  thread_.reset();
  stop_.reset();
  return seconds_.exchange(-1);
}

}  // namespace camera
