#include "background_exit.h"

#include "platform/messages.h"

namespace camera {

using namespace platform;

void BackgroundExit::Start(HWND main_window) {
  thread_.Start(
      kBackgroundCheckMs,
      [main_window, behind = 0]() mutable {
        behind = GetForegroundWindow() == main_window ? 0 : behind + 1;
        if (behind < kBackgroundChecksToExit) return true;
        PostMessage(main_window, WM_CLOSE, 0, 0);
        return false;
      },
      "camera background exit");
}

}  // namespace camera
