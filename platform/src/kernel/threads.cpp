// Threads, events and waits on the current handheld's kernel.
#include <algorithm>
#include <vector>

#include "kernel/kernel.h"
#include "platform/last_error.h"

namespace platform {

Thread::~Thread() = default;

ThreadHandle CreateThread(ThreadEntry entry, std::string name) {
  if (!entry) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CurrentKernel().StartThread(std::move(entry), std::move(name));
}

DWORD GetCurrentThreadId() {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  return kernel.Current(lock).id;
}

BOOL GetExitCodeThread(const ThreadHandle& thread, DWORD* exit_code) {
  if (!thread || !exit_code) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto lock = CurrentKernel().Acquire();
  *exit_code = thread->finished_ ? thread->exit_code_ : STILL_ACTIVE;
  return TRUE;
}

BOOL SetThreadPriority(const ThreadHandle& thread, int priority) {
  if (!thread || priority < THREAD_PRIORITY_TIME_CRITICAL || priority > THREAD_PRIORITY_IDLE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto lock = CurrentKernel().Acquire();
  thread->priority_ = priority;
  return TRUE;
}

int GetThreadPriority(const ThreadHandle& thread) {
  if (!thread) return THREAD_PRIORITY_NORMAL;
  auto lock = CurrentKernel().Acquire();
  return thread->priority_;
}

void ExitThread(DWORD exit_code) { throw ThreadExit{exit_code}; }

BOOL TerminateThread(const ThreadHandle& thread, DWORD exit_code) {
  if (!thread) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!CurrentKernel().RequestTermination(thread, exit_code)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

// --- Events ------------------------------------------------------------------

EventHandle CreateEvent(bool manual_reset, bool initial_state) {
  return EventHandle(new Event(manual_reset, initial_state));
}

namespace {

template <typename Change>
BOOL ChangeEvent(const EventHandle& event, Change change) {
  if (!event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  change(lock, kernel);
  return TRUE;
}

}  // namespace

BOOL SetEvent(const EventHandle& event) {
  return ChangeEvent(event, [&](auto& lock, Kernel& kernel) {
    event->signalled_ = true;
    kernel.StateChanged(lock);
  });
}

BOOL ResetEvent(const EventHandle& event) {
  return ChangeEvent(event, [&](auto&, Kernel&) { event->signalled_ = false; });
}

BOOL PulseEvent(const EventHandle& event) {
  return ChangeEvent(event, [&](auto& lock, Kernel& kernel) {
    event->signalled_ = true;
    kernel.StateChanged(lock);
    event->signalled_ = false;
  });
}

// --- Waits -------------------------------------------------------------------

DWORD WaitForMultipleObjects(std::span<Waitable* const> objects, bool wait_all, DWORD timeout_ms) {
  if (objects.empty() || std::find(objects.begin(), objects.end(), nullptr) != objects.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  Kernel::Completion try_complete = [&]() -> std::optional<DWORD> {
    return kernel.TryAcquireObjects(objects, wait_all);
  };
  return kernel.Wait(lock, try_complete, kernel.DeadlineAfter(lock, timeout_ms));
}

DWORD WaitForSingleObject(Waitable& object, DWORD timeout_ms) {
  Waitable* objects[] = {&object};
  return WaitForMultipleObjects(objects, false, timeout_ms);
}

DWORD WaitForSingleObject(const std::shared_ptr<Waitable>& object, DWORD timeout_ms) {
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  return WaitForSingleObject(*object, timeout_ms);
}

// --- Critical sections -------------------------------------------------------

void CriticalSection::Enter() {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  const DWORD me = kernel.Current(lock).id;
  Kernel::Completion try_complete = [&]() -> std::optional<DWORD> {
    if (owner_ != 0 && owner_ != me) return std::nullopt;
    owner_ = me;
    ++depth_;
    return WAIT_OBJECT_0;
  };
  kernel.Wait(lock, try_complete, Kernel::kNoDeadline);
}

bool CriticalSection::TryEnter() {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  const DWORD me = kernel.Current(lock).id;
  if (owner_ != 0 && owner_ != me) return false;
  owner_ = me;
  ++depth_;
  return true;
}

void CriticalSection::Leave() {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  if (owner_ != kernel.Current(lock).id || depth_ == 0) return;  // not ours to leave
  if (--depth_ == 0) {
    owner_ = 0;
    kernel.StateChanged(lock);
  }
}

}  // namespace platform
