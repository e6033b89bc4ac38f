#include "platform/periodic_thread.h"

namespace platform {

void PeriodicThread::Start(DWORD period_ms, std::function<bool()> step, std::string name) {
  Stop();
  stop_ = CreateEvent(true, false);
  thread_ = CreateThread(
      [stop = stop_, period_ms, step = std::move(step)]() -> DWORD {
        while (WaitForSingleObject(stop, period_ms) == WAIT_TIMEOUT) {
          if (!step()) break;
        }
        return 0;
      },
      std::move(name));
}

void PeriodicThread::Stop() {
  if (stop_) SetEvent(stop_);
  if (thread_) WaitForSingleObject(thread_, INFINITE);
  thread_ = nullptr;
  stop_ = nullptr;
}

}  // namespace platform
