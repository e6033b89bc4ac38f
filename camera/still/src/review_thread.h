// The review thread: ends the instant review once its time has passed. It
// shares nothing with the user-interface thread but the review flag and
// the start tick.
#pragma once

#include <atomic>

#include "platform/periodic_thread.h"
#include "platform/types.h"

namespace camera {

class ReviewTimer {
 public:
  // Counts from now: after `duration_ms` the review flag is cleared. A
  // review still counting is replaced.
  void Start(platform::DWORD duration_ms);
  // Ends the thread without touching the flag, and waits for it.
  void Stop() { thread_.Stop(); }

 private:
  platform::PeriodicThread thread_;
};

}  // namespace camera
