#include "review_thread.h"

#include "camera/session/camera_state.h"
#include "platform/time.h"

namespace camera {

namespace {

constexpr platform::DWORD kPollMs = 20;

}  // namespace

void ReviewTimer::Start(platform::DWORD duration_ms) {
  Stop();
  stop_ = platform::CreateEvent(true, false);
  platform::EventHandle stop = stop_;
  const platform::DWORD start = platform::GetTickCount();
  thread_ = platform::CreateThread(
      [stop, start, duration_ms]() -> platform::DWORD {
        while (platform::WaitForSingleObject(stop, kPollMs) == platform::WAIT_TIMEOUT) {
          if (platform::GetTickCount() - start > duration_ms) {
            Camera().review_showing = false;
            return 0;
          }
        }
        return 0;
      },
      "camera review");
}

void ReviewTimer::Stop() {
  if (stop_) platform::SetEvent(stop_);
  if (thread_) platform::WaitForSingleObject(thread_, platform::INFINITE);
  thread_ = nullptr;
  stop_ = nullptr;
}

}  // namespace camera
