// A thread that wakes every period to do one small step, until the step
// says it is done or the owner stops it. Stop waits for the thread, so the
// step never runs after Stop returns.
#pragma once

#include <functional>
#include <string>

#include "platform/threads.h"

namespace platform {

class PeriodicThread {
 public:
  PeriodicThread() = default;
  ~PeriodicThread() { Stop(); }
  PeriodicThread(const PeriodicThread&) = delete;
  PeriodicThread& operator=(const PeriodicThread&) = delete;

  // Runs `step` every `period_ms`, the first time one period from now,
  // until it returns false. A thread still running is stopped first.
  void Start(DWORD period_ms, std::function<bool()> step, std::string name);
  // Ends the thread and waits for it; nothing when none runs.
  void Stop();
  bool running() const { return thread_ != nullptr; }

 private:
  EventHandle stop_;
  ThreadHandle thread_;
};

}  // namespace platform
