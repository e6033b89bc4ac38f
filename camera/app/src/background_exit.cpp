#include "background_exit.h"

#include <cstdint>

#include "platform/messages.h"

namespace camera {

using namespace platform;

void BackgroundExit::Start(HWND main_window) {
  Stop();
  stop_ = CreateEvent(true, false);
  EventHandle stop = stop_;
  thread_ = CreateThread(
      [main_window, stop]() -> DWORD {
        std::uint8_t behind = 0;
        while (WaitForSingleObject(stop, kBackgroundCheckMs) == WAIT_TIMEOUT) {
          behind = GetForegroundWindow() == main_window ? 0 : static_cast<std::uint8_t>(behind + 1);
          if (behind >= kBackgroundChecksToExit) {
            PostMessage(main_window, WM_CLOSE, 0, 0);
            return 0;
          }
        }
        return 0;
      },
      "camera background exit");
}

void BackgroundExit::Stop() {
  if (stop_) SetEvent(stop_);
  if (thread_) WaitForSingleObject(thread_, INFINITE);
  thread_ = nullptr;
  stop_ = nullptr;
}

}  // namespace camera
