// The review thread: ends the instant review once its time has passed. It
// shares nothing with the user-interface thread but the review flag and
// the start tick.
#pragma once

#include <atomic>

#include "platform/threads.h"
#include "platform/types.h"

namespace camera {

class ReviewTimer {
 public:
  ReviewTimer() = default;
  ~ReviewTimer() { Stop(); }
  ReviewTimer(const ReviewTimer&) = delete;
  ReviewTimer& operator=(const ReviewTimer&) = delete;

  // Counts from now: after `duration_ms` the review flag is cleared. A
  // review still counting is replaced.
  void Start(platform::DWORD duration_ms);
  // Ends the thread without touching the flag, and waits for it.
  void Stop();

 private:
  platform::EventHandle stop_;
  platform::ThreadHandle thread_;
};

}  // namespace camera
