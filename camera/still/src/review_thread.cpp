#include "review_thread.h"

#include "camera/session/camera_state.h"
#include "platform/time.h"

namespace camera {

namespace {

constexpr platform::DWORD kPollMs = 20;

}  // namespace

void ReviewTimer::Start(platform::DWORD duration_ms) {
  const platform::DWORD start = platform::GetTickCount();
  thread_.Start(
      kPollMs,
      [start, duration_ms] {
        if (platform::GetTickCount() - start <= duration_ms) return true;
        Camera().review_showing = false;
        return false;
      },
      "camera review");
}

}  // namespace camera
