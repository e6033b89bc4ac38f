// Per-thread message queues, sent messages, timers and message targets.
#include <algorithm>

#include "kernel/kernel.h"
#include "platform/last_error.h"
#include "platform/punctuation_keys.h"
#include "platform/time.h"

namespace platform {

namespace {

inline constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;

MSG MakeMsg(HWND hwnd, UINT message, WPARAM wparam = 0, LPARAM lparam = 0, DWORD time = 0) {
  MSG msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wparam;
  msg.lParam = lparam;
  msg.time = time;
  return msg;
}

bool Matches(const MSG& msg, HWND hwnd, UINT filter_min, UINT filter_max) {
  if (hwnd && msg.hwnd != hwnd) return false;
  if (filter_min == 0 && filter_max == 0) return true;
  return msg.message >= filter_min && msg.message <= filter_max;
}

bool TimerMatches(const TimerEntry& timer, HWND hwnd, UINT filter_min, UINT filter_max) {
  MSG probe;
  probe.hwnd = timer.hwnd;
  probe.message = WM_TIMER;
  return Matches(probe, hwnd, filter_min, filter_max);
}

DWORD MessageTime(Kernel& kernel, const Kernel::Lock& lock) {
  return static_cast<DWORD>(kernel.NowUs(lock) / 1000);
}

// Runs every message sent to the calling thread. Called with the lock held;
// releases it around each procedure call.
void HandleSentMessages(Kernel& kernel, Kernel::Lock& lock) {
  ThreadState& self = kernel.Current(lock);
  while (!self.queue.sent.empty()) {
    std::shared_ptr<SentMessage> sent = self.queue.sent.front();
    self.queue.sent.pop_front();
    TargetEntry* target = kernel.FindTarget(lock, sent->hwnd);
    WindowProcedure procedure = target ? target->procedure : nullptr;
    lock.unlock();
    LRESULT result =
        procedure ? procedure(sent->hwnd, sent->message, sent->wparam, sent->lparam) : 0;
    lock.lock();
    sent->result = result;
    sent->done = true;
    kernel.StateChanged(lock);
  }
}

std::uint64_t NextTimerDue(const MessageQueue& queue, HWND hwnd, UINT filter_min, UINT filter_max) {
  std::uint64_t due = Kernel::kNoDeadline;
  for (const TimerEntry& timer : queue.timers) {
    if (TimerMatches(timer, hwnd, filter_min, filter_max)) due = std::min(due, timer.due_us);
  }
  return due;
}

// A window of the calling thread with something to paint, when WM_PAINT
// passes the filter.
HWND PaintPending(Kernel& kernel, const Kernel::Lock& lock, HWND hwnd, UINT filter_min,
                  UINT filter_max) {
  WindowSystemHooks* windows = kernel.window_system(lock);
  if (!windows) return nullptr;
  if ((filter_min || filter_max) && (WM_PAINT < filter_min || WM_PAINT > filter_max)) {
    return nullptr;
  }
  return windows->PaintPending(lock, kernel.Current(lock).id, hwnd);
}

bool HasInput(Kernel& kernel, const Kernel::Lock& lock, const MessageQueue& queue, HWND hwnd,
              UINT filter_min, UINT filter_max) {
  if (!queue.sent.empty() || queue.quit) return true;
  for (const MSG& msg : queue.posted) {
    if (Matches(msg, hwnd, filter_min, filter_max)) return true;
  }
  if (PaintPending(kernel, lock, hwnd, filter_min, filter_max)) return true;
  return NextTimerDue(queue, hwnd, filter_min, filter_max) <= kernel.NowUs(lock);
}

// Marks the calling thread as asking for messages from the moment it calls
// until it takes one, so the screen knows whose windows it may ask to paint.
class MessageWaitMark {
 public:
  explicit MessageWaitMark(Kernel& kernel) : kernel_(kernel) {}
  ~MessageWaitMark() {
    if (!windows_) return;
    auto lock = kernel_.Acquire();
    Clear(lock);
  }
  MessageWaitMark(const MessageWaitMark&) = delete;
  MessageWaitMark& operator=(const MessageWaitMark&) = delete;

  void Set(const Kernel::Lock& lock) {
    if (windows_) return;
    windows_ = kernel_.window_system(lock);
    if (!windows_) return;
    thread_ = kernel_.Current(lock).id;
    windows_->ThreadWaitsForMessages(lock, thread_);
  }
  void Clear(const Kernel::Lock& lock) {
    if (!windows_) return;
    // The window system may have ended while the thread waited.
    if (kernel_.window_system(lock) == windows_) windows_->ThreadStopsWaiting(lock, thread_);
    windows_ = nullptr;
  }

 private:
  Kernel& kernel_;
  WindowSystemHooks* windows_ = nullptr;
  DWORD thread_ = 0;
};

// Input, or a timer set meanwhile that is due before the wait would end.
bool HasInputOrEarlierTimer(Kernel& kernel, const Kernel::Lock& lock, const MessageQueue& queue,
                            HWND hwnd, UINT filter_min, UINT filter_max, std::uint64_t wake) {
  return HasInput(kernel, lock, queue, hwnd, filter_min, filter_max) ||
         NextTimerDue(queue, hwnd, filter_min, filter_max) < wake;
}

// Takes the next message for the caller: posted messages first, then the
// quit request, then a due timer. False when there is none.
bool TakeMessage(Kernel& kernel, const Kernel::Lock& lock, MessageQueue& queue, MSG* msg, HWND hwnd,
                 UINT filter_min, UINT filter_max, bool remove) {
  WindowSystemHooks* windows = kernel.window_system(lock);
  if (windows) windows->ThreadAsksForMessages(lock, kernel.Current(lock).id);
  auto posted = std::find_if(queue.posted.begin(), queue.posted.end(), [&](const MSG& candidate) {
    return Matches(candidate, hwnd, filter_min, filter_max);
  });
  if (posted != queue.posted.end()) {
    *msg = *posted;
    if (remove) queue.posted.erase(posted);
    return true;
  }
  if (queue.quit && Matches(MakeMsg(nullptr, WM_QUIT), hwnd, filter_min, filter_max)) {
    *msg = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quit_code), 0,
                   MessageTime(kernel, lock));
    if (remove) queue.quit = false;
    return true;
  }
  if (HWND dirty = PaintPending(kernel, lock, hwnd, filter_min, filter_max)) {
    // Stays pending until BeginPaint validates the window.
    *msg = MakeMsg(dirty, WM_PAINT, 0, 0, MessageTime(kernel, lock));
    if (remove) windows->PaintHandedOut(lock, dirty);
    return true;
  }
  const std::uint64_t now = kernel.NowUs(lock);
  for (TimerEntry& timer : queue.timers) {
    if (timer.due_us > now || !TimerMatches(timer, hwnd, filter_min, filter_max)) continue;
    *msg = MakeMsg(timer.hwnd, WM_TIMER, timer.id, 0, MessageTime(kernel, lock));
    if (remove) timer.due_us = now + timer.period_us;
    return true;
  }
  return false;
}

// The thread whose queue gets messages and timers for hwnd: the calling
// thread for no window, else the window's owner (null when it is gone).
ThreadState* MessageOwner(Kernel& kernel, const Kernel::Lock& lock, HWND hwnd) {
  if (!hwnd) return &kernel.Current(lock);
  TargetEntry* target = kernel.FindTarget(lock, hwnd);
  return target ? kernel.Find(lock, target->owner) : nullptr;
}

bool RunPreTranslateHook(Kernel& kernel, MSG* msg) {
  PreTranslateHook hook;
  {
    auto lock = kernel.Acquire();
    hook = kernel.Current(lock).queue.pre_translate;
  }
  return hook && hook(*msg);
}

}  // namespace

// --- Targets -----------------------------------------------------------------

HWND CreateMessageTarget(WindowProcedure procedure) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  return kernel.AddTarget(lock, kernel.Current(lock).id, std::move(procedure));
}

BOOL DestroyMessageTarget(HWND hwnd) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  TargetEntry* target = kernel.FindTarget(lock, hwnd);
  if (!target) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (ThreadState* owner = kernel.Find(lock, target->owner)) {
    std::erase_if(owner->queue.posted, [&](const MSG& msg) { return msg.hwnd == hwnd; });
    std::erase_if(owner->queue.timers, [&](const TimerEntry& timer) { return timer.hwnd == hwnd; });
  }
  kernel.RemoveTarget(lock, hwnd);
  return TRUE;
}

BOOL IsMessageTarget(HWND hwnd) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  return kernel.FindTarget(lock, hwnd) ? TRUE : FALSE;
}

DWORD GetTargetThreadId(HWND hwnd) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  TargetEntry* target = kernel.FindTarget(lock, hwnd);
  return target ? target->owner : 0;
}

BOOL SetTargetProcedure(HWND hwnd, WindowProcedure procedure) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  TargetEntry* target = kernel.FindTarget(lock, hwnd);
  if (!target) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  target->procedure = std::move(procedure);
  return TRUE;
}

// --- Posting and sending -----------------------------------------------------

namespace {

BOOL PostTo(Kernel& kernel, Kernel::Lock& lock, ThreadState& thread, MSG msg) {
  msg.time = MessageTime(kernel, lock);
  thread.queue.posted.push_back(msg);
  kernel.StateChanged(lock);
  return TRUE;
}

}  // namespace

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  if (!hwnd)
    return PostTo(kernel, lock, kernel.Current(lock), MakeMsg(nullptr, message, wparam, lparam));
  TargetEntry* target = kernel.FindTarget(lock, hwnd);
  ThreadState* owner = target ? kernel.Find(lock, target->owner) : nullptr;
  if (!owner) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return PostTo(kernel, lock, *owner, MakeMsg(hwnd, message, wparam, lparam));
}

BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  ThreadState* thread = kernel.Find(lock, thread_id);
  if (!thread) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return PostTo(kernel, lock, *thread, MakeMsg(nullptr, message, wparam, lparam));
}

void PostQuitMessage(int exit_code) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  MessageQueue& queue = kernel.Current(lock).queue;
  queue.quit = true;
  queue.quit_code = exit_code;
  kernel.StateChanged(lock);
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  TargetEntry* target = kernel.FindTarget(lock, hwnd);
  if (!target) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  ThreadState& self = kernel.Current(lock);
  if (target->owner == self.id) {
    WindowProcedure procedure = target->procedure;
    lock.unlock();
    return procedure ? procedure(hwnd, message, wparam, lparam) : 0;
  }
  ThreadState* owner = kernel.Find(lock, target->owner);
  if (!owner) return 0;
  auto sent = std::make_shared<SentMessage>(SentMessage{hwnd, message, wparam, lparam});
  owner->queue.sent.push_back(sent);
  kernel.StateChanged(lock);
  // While waiting, handle what others send to this thread, or two threads
  // sending to each other would wait forever.
  Kernel::Completion answered = [&]() -> std::optional<DWORD> {
    if (sent->done || !self.queue.sent.empty()) return WAIT_OBJECT_0;
    return std::nullopt;
  };
  while (!sent->done) {
    if (kernel.Wait(lock, answered, Kernel::kNoDeadline) == WAIT_FAILED) return 0;
    HandleSentMessages(kernel, lock);
  }
  return sent->result;
}

// --- Receiving ---------------------------------------------------------------

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  Kernel& kernel = CurrentKernel();
  MessageWaitMark mark(kernel);
  for (;;) {
    auto lock = kernel.Acquire();
    if (hwnd && !kernel.FindTarget(lock, hwnd)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return -1;
    }
    mark.Set(lock);
    HandleSentMessages(kernel, lock);
    MessageQueue& queue = kernel.Current(lock).queue;
    if (TakeMessage(kernel, lock, queue, msg, hwnd, filter_min, filter_max, true)) {
      mark.Clear(lock);
      lock.unlock();
      if (msg->message == WM_QUIT) return FALSE;
      if (RunPreTranslateHook(kernel, msg)) continue;
      return TRUE;
    }
    const std::uint64_t wake = NextTimerDue(queue, hwnd, filter_min, filter_max);
    Kernel::Completion input = [&]() -> std::optional<DWORD> {
      if (HasInputOrEarlierTimer(kernel, lock, queue, hwnd, filter_min, filter_max, wake)) {
        return WAIT_OBJECT_0;
      }
      return std::nullopt;
    };
    kernel.Wait(lock, input, wake);
  }
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Kernel& kernel = CurrentKernel();
  for (;;) {
    auto lock = kernel.Acquire();
    HandleSentMessages(kernel, lock);
    MessageQueue& queue = kernel.Current(lock).queue;
    const bool removing = (remove & PM_REMOVE) != 0;
    if (!TakeMessage(kernel, lock, queue, msg, hwnd, filter_min, filter_max, removing)) {
      return FALSE;
    }
    lock.unlock();
    if (removing && msg->message != WM_QUIT && RunPreTranslateHook(kernel, msg)) continue;
    return TRUE;
  }
}

BOOL WaitMessage() {
  Kernel& kernel = CurrentKernel();
  MessageWaitMark mark(kernel);
  auto lock = kernel.Acquire();
  mark.Set(lock);
  MessageQueue& queue = kernel.Current(lock).queue;
  while (!HasInput(kernel, lock, queue, nullptr, 0, 0)) {
    const std::uint64_t wake = NextTimerDue(queue, nullptr, 0, 0);
    Kernel::Completion input = [&]() -> std::optional<DWORD> {
      if (HasInputOrEarlierTimer(kernel, lock, queue, nullptr, 0, 0, wake)) return WAIT_OBJECT_0;
      return std::nullopt;
    };
    if (kernel.Wait(lock, input, wake) == WAIT_FAILED) return FALSE;
  }
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  if (msg->message == WM_TIMER) {
    MessageQueue& queue = kernel.Current(lock).queue;
    auto timer = std::find_if(queue.timers.begin(), queue.timers.end(), [&](const TimerEntry& t) {
      return t.hwnd == msg->hwnd && t.id == msg->wParam;
    });
    if (timer != queue.timers.end() && timer->procedure) {
      TimerProcedure procedure = timer->procedure;
      lock.unlock();
      procedure(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
      return 0;
    }
  }
  TargetEntry* target = msg->hwnd ? kernel.FindTarget(lock, msg->hwnd) : nullptr;
  if (!target || !target->procedure) return 0;
  WindowProcedure procedure = target->procedure;
  lock.unlock();
  return procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || msg->message != WM_KEYDOWN || !msg->hwnd) return FALSE;
  const UINT key = static_cast<UINT>(msg->wParam);
  bool shift = false;
  {
    Kernel& kernel = CurrentKernel();
    auto lock = kernel.Acquire();
    if (WindowSystemHooks* windows = kernel.window_system(lock)) {
      shift = windows->KeyIsDown(lock, VK_SHIFT);
    }
  }
  WPARAM character = 0;
  if (key >= 'A' && key <= 'Z') {
    character = shift ? key : key - 'A' + 'a';
  } else if ((key >= '0' && key <= '9') || key == VK_SPACE) {
    character = key;
  } else if (key == VK_RETURN) {
    character = '\r';
  } else if (key == VK_BACK || key == VK_ESCAPE || key == VK_TAB) {
    character = key;  // their codes are the characters
  } else if (key >= VK_OEM_PLUS && key <= VK_OEM_PERIOD) {
    static constexpr char kPlain[] = "=,-.";
    static constexpr char kShifted[] = "+<_>";
    character = static_cast<unsigned char>((shift ? kShifted : kPlain)[key - VK_OEM_PLUS]);
  } else {
    return FALSE;
  }
  return PostMessage(msg->hwnd, WM_CHAR, character, msg->lParam);
}

void SetThreadPreTranslateHook(PreTranslateHook hook) {
  ExchangeThreadPreTranslateHook(std::move(hook));
}

PreTranslateHook ExchangeThreadPreTranslateHook(PreTranslateHook hook) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  std::swap(kernel.Current(lock).queue.pre_translate, hook);
  return hook;
}

// --- Timers ------------------------------------------------------------------

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TimerProcedure procedure) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  ThreadState* owner = MessageOwner(kernel, lock, hwnd);
  if (!owner) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  auto& timers = owner->queue.timers;
  if (!hwnd) {
    // Thread timers get an id the system picks, unless the caller renews one.
    auto thread_timer_exists = [&](UINT_PTR candidate) {
      return std::any_of(timers.begin(), timers.end(),
                         [&](auto& t) { return !t.hwnd && t.id == candidate; });
    };
    if (id == 0 || !thread_timer_exists(id)) {
      id = 1;
      while (thread_timer_exists(id)) ++id;
    }
  }
  const std::uint64_t period = std::uint64_t{std::max<UINT>(elapse_ms, 1)} * 1000;
  TimerEntry entry{hwnd, id, period, kernel.NowUs(lock) + period, std::move(procedure)};
  auto existing = std::find_if(timers.begin(), timers.end(),
                               [&](auto& t) { return t.hwnd == hwnd && t.id == id; });
  if (existing != timers.end()) {
    *existing = std::move(entry);
  } else {
    timers.push_back(std::move(entry));
  }
  kernel.StateChanged(lock);  // a waiting owner must take the new deadline
  return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  ThreadState* owner = MessageOwner(kernel, lock, hwnd);
  if (!owner) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const auto removed = std::erase_if(
      owner->queue.timers, [&](const TimerEntry& t) { return t.hwnd == hwnd && t.id == id; });
  if (removed == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

DWORD MsgWaitForMultipleObjects(std::span<Waitable* const> objects, bool wait_all,
                                DWORD timeout_ms) {
  Kernel& kernel = CurrentKernel();
  MessageWaitMark mark(kernel);
  auto lock = kernel.Acquire();
  mark.Set(lock);
  const std::uint64_t deadline = kernel.DeadlineAfter(lock, timeout_ms);
  MessageQueue& queue = kernel.Current(lock).queue;
  const DWORD input_result = WAIT_OBJECT_0 + static_cast<DWORD>(objects.size());
  for (;;) {
    const std::uint64_t timer_due = NextTimerDue(queue, nullptr, 0, 0);
    bool timers_changed = false;
    Kernel::Completion ready = [&]() -> std::optional<DWORD> {
      if (!objects.empty()) {
        if (auto result = kernel.TryAcquireObjects(objects, wait_all)) return result;
      }
      if (HasInput(kernel, lock, queue, nullptr, 0, 0)) return input_result;
      if (NextTimerDue(queue, nullptr, 0, 0) < timer_due) {
        timers_changed = true;
        return WAIT_TIMEOUT;
      }
      return std::nullopt;
    };
    const DWORD result = kernel.Wait(lock, ready, std::min(deadline, timer_due));
    if (result != WAIT_TIMEOUT || timers_changed) {
      if (!timers_changed) return result;
      continue;
    }
    if (kernel.NowUs(lock) >= deadline) return WAIT_TIMEOUT;
  }
}

}  // namespace platform
