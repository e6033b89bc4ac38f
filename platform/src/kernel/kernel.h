// The handheld's kernel: one lock over every synchronisation object, the
// clock, thread bookkeeping and message queues. Waits are completed by the
// thread that changes the state a waiter needs, so the kernel always knows
// how many handheld threads can run. When none can and the clock is virtual,
// it moves the clock to the nearest deadline.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/messages.h"
#include "platform/threads.h"
#include "platform/types.h"

namespace platform {

// Thrown inside a handheld thread to unwind it: by ExitThread, and by a
// platform wait once TerminateThread asked the thread to end.
struct ThreadExit {
  DWORD exit_code;
};

struct SentMessage {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  LRESULT result = 0;
  bool done = false;
};

struct TimerEntry {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  std::uint64_t period_us = 0;
  std::uint64_t due_us = 0;
  TimerProcedure procedure;
};

struct MessageQueue {
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> sent;
  std::vector<TimerEntry> timers;
  bool quit = false;
  int quit_code = 0;
  PreTranslateHook pre_translate;
};

struct Waiter;
class WindowSystemHooks;

struct ThreadState {
  DWORD id = 0;
  bool attached = false;  // counted among the threads that can run
  ThreadHandle handle;    // set for threads the platform started
  bool terminate_requested = false;
  DWORD terminate_code = 0;
  Waiter* waiting = nullptr;
  MessageQueue queue;
};

struct TargetEntry {
  DWORD owner = 0;
  WindowProcedure procedure;
};

class Kernel {
 public:
  using Lock = std::unique_lock<std::mutex>;
  // Returns the wait's result once it is satisfied; called under the lock.
  using Completion = std::function<std::optional<DWORD>()>;
  static constexpr std::uint64_t kNoDeadline = UINT64_MAX;

  Kernel(bool virtual_clock, FILETIME boot_time);
  ~Kernel();
  Kernel(const Kernel&) = delete;
  Kernel& operator=(const Kernel&) = delete;

  Lock Acquire() { return Lock(mutex_); }

  // --- Clock -------------------------------------------------------------
  bool virtual_clock() const { return virtual_clock_; }
  std::uint64_t NowUs(const Lock& lock);
  std::uint64_t NowUs();
  FILETIME SystemTime();
  // Sets the wall clock; the tick count goes on undisturbed.
  void SetSystemTime(FILETIME now);
  void Advance(std::uint64_t microseconds);
  void Spend(std::uint64_t microseconds);
  // Blocks the calling attached thread until every other handheld thread
  // waits; the virtual clock does not move meanwhile. What the caller does
  // next then happens at one moment of the clock, however the host
  // scheduled the others. Returns at once on a real-time clock.
  void Settle();
  // Deadline for a wait of timeout_ms from now (kNoDeadline for INFINITE).
  std::uint64_t DeadlineAfter(const Lock& lock, DWORD timeout_ms);

  // --- Threads -----------------------------------------------------------
  // The calling thread's state; threads the platform did not start get one
  // on first use and are not counted as runnable.
  ThreadState& Current(const Lock& lock);
  ThreadState* Find(const Lock& lock, DWORD thread_id);
  // Counts the calling thread among the runnable handheld threads (the
  // thread that drives a test or the emulator).
  void AttachCurrentThread();
  void DetachCurrentThread();
  ThreadHandle StartThread(ThreadEntry entry, std::string name);
  bool RequestTermination(const ThreadHandle& thread, DWORD exit_code);
  // Drops the calling thread's message targets, and so its windows, ahead
  // of its end: a program counts as ended only once its windows are gone.
  void ReleaseCurrentThreadTargets();
  // Asks every platform thread to end and joins them all.
  void EndAllThreads();

  // --- Waiting -----------------------------------------------------------
  // Blocks until try_complete returns a result or the deadline passes
  // (WAIT_TIMEOUT). Must be called with lock held; it is held on return.
  DWORD Wait(Lock& lock, const Completion& try_complete, std::uint64_t deadline_us);
  // WAIT_OBJECT_0 + index once the objects are signalled (any or all);
  // acquires them. Call under the lock.
  std::optional<DWORD> TryAcquireObjects(std::span<Waitable* const> objects, bool wait_all);
  // Re-evaluates every waiter after a state change; call under the lock.
  void StateChanged(const Lock& lock);

  // --- Message targets ---------------------------------------------------
  HWND AddTarget(const Lock& lock, DWORD owner, WindowProcedure procedure);
  TargetEntry* FindTarget(const Lock& lock, HWND hwnd);
  void RemoveTarget(const Lock& lock, HWND hwnd);

  // --- The window system -------------------------------------------------
  // The window system sits above the kernel and registers itself here while
  // it exists; null before the first window and after the window system ends.
  WindowSystemHooks* window_system(const Lock&) const { return window_system_; }
  void SetWindowSystem(const Lock&, WindowSystemHooks* hooks) { window_system_ = hooks; }

 private:
  DWORD WaitAs(Lock& lock, const Completion& try_complete, std::uint64_t deadline_us, bool settles);
  void Complete(Waiter& waiter, DWORD result);
  void AdvanceIfIdle();
  void WakeExpired();
  std::uint64_t NowUsLocked() const;
  void ThreadMain(ThreadState* state, ThreadEntry entry);
  void ReleaseThreadResources(ThreadState& state);
  void ThrowIfTerminating(ThreadState& state);

  std::mutex mutex_;
  const bool virtual_clock_;
  FILETIME boot_time_;  // guarded by mutex_; moved by SetSystemTime
  const std::chrono::steady_clock::time_point real_start_;
  std::uint64_t virtual_now_us_ = 0;

  int runnable_ = 0;
  std::list<Waiter*> waiters_;
  DWORD next_thread_id_ = 0x100;
  std::map<DWORD, std::unique_ptr<ThreadState>> states_;
  std::map<std::thread::id, ThreadState*> by_host_id_;
  std::vector<std::thread> host_threads_;
  std::uintptr_t next_target_ = 0x10000;
  std::unordered_map<std::uintptr_t, TargetEntry> targets_;
  WindowSystemHooks* window_system_ = nullptr;
};

// What the message queues ask of the window system: windows to paint, the
// threads waiting for messages (the screen paints their windows), and the
// keyboard state for making characters. Every call is made under the
// kernel lock.
class WindowSystemHooks {
 public:
  // A window of `thread` with something to paint (filter: that window or
  // its descendants only), null when none.
  virtual HWND PaintPending(const Kernel::Lock& lock, DWORD thread, HWND filter) = 0;
  // WM_PAINT for hwnd was taken from the queue.
  virtual void PaintHandedOut(const Kernel::Lock& lock, HWND hwnd) = 0;
  // The thread is taking a message again: what it was handed is done.
  virtual void ThreadAsksForMessages(const Kernel::Lock& lock, DWORD thread) = 0;
  // The thread entered (or left) a wait for messages.
  virtual void ThreadWaitsForMessages(const Kernel::Lock& lock, DWORD thread) = 0;
  virtual void ThreadStopsWaiting(const Kernel::Lock& lock, DWORD thread) = 0;
  virtual bool KeyIsDown(const Kernel::Lock& lock, UINT virtual_key) = 0;

 protected:
  ~WindowSystemHooks() = default;
};

// The current handheld's kernel.
Kernel& CurrentKernel();

}  // namespace platform
