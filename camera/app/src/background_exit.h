// The background exit: a thread that closes the camera after it has spent
// two minutes behind another program, so that the card does not stream
// for nobody.
#pragma once

#include "platform/periodic_thread.h"
#include "platform/window.h"

namespace camera {

inline constexpr platform::DWORD kBackgroundCheckMs = 2000;
// Checks in a row with another window in front: 60 x 2 s.
inline constexpr int kBackgroundChecksToExit = 60;

class BackgroundExit {
 public:
  // Every 2 s compares the foreground window with `main_window`; after 60
  // differing checks in a row it posts WM_CLOSE to it and ends.
  void Start(platform::HWND main_window);
  // Ends the thread (at the dialog's end) and waits for it.
  void Stop() { thread_.Stop(); }

 private:
  platform::PeriodicThread thread_;
};

}  // namespace camera
