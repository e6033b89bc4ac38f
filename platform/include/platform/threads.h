// Threads, events, critical sections and waits. Every blocking call goes
// through the handheld's kernel, which is what lets the virtual clock jump
// to the next deadline when all handheld threads are waiting.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/types.h"

namespace platform {

class Kernel;

// Anything a thread can wait for: events, threads.
class Waitable {
 public:
  virtual ~Waitable() = default;

 protected:
  friend class Kernel;
  // Both are called under the kernel lock. Acquire is called once a wait on
  // a signalled object succeeds; objects that reset on a successful wait
  // (auto-reset events) consume the signal there.
  virtual bool IsSignalled() const = 0;
  virtual void Acquire() {}
};

// Thread priorities 0 (highest) to 7 (lowest), as on the handheld.
inline constexpr int THREAD_PRIORITY_TIME_CRITICAL = 0;
inline constexpr int THREAD_PRIORITY_HIGHEST = 1;
inline constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 2;
inline constexpr int THREAD_PRIORITY_NORMAL = 3;
inline constexpr int THREAD_PRIORITY_BELOW_NORMAL = 4;
inline constexpr int THREAD_PRIORITY_LOWEST = 5;
inline constexpr int THREAD_PRIORITY_ABOVE_IDLE = 6;
inline constexpr int THREAD_PRIORITY_IDLE = 7;

class Thread final : public Waitable {
 public:
  ~Thread() override;
  DWORD id() const { return id_; }
  const std::string& name() const { return name_; }

 protected:
  bool IsSignalled() const override { return finished_; }

 private:
  friend class Kernel;
  friend BOOL GetExitCodeThread(const std::shared_ptr<Thread>&, DWORD*);
  friend BOOL SetThreadPriority(const std::shared_ptr<Thread>&, int);
  friend int GetThreadPriority(const std::shared_ptr<Thread>&);
  Thread(DWORD id, std::string name) : id_(id), name_(std::move(name)) {}
  const DWORD id_;
  const std::string name_;
  // Guarded by the kernel lock.
  bool finished_ = false;
  DWORD exit_code_ = STILL_ACTIVE;
  int priority_ = THREAD_PRIORITY_NORMAL;
};

using ThreadHandle = std::shared_ptr<Thread>;
using ThreadEntry = std::function<DWORD()>;

// Starts entry on a new handheld thread. The handle stays valid after the
// thread ends and gives its exit code. The name only helps debugging.
ThreadHandle CreateThread(ThreadEntry entry, std::string name = {});
DWORD GetCurrentThreadId();
BOOL GetExitCodeThread(const ThreadHandle& thread, DWORD* exit_code);
BOOL SetThreadPriority(const ThreadHandle& thread, int priority);
int GetThreadPriority(const ThreadHandle& thread);
// Ends the calling thread with the given exit code (unwinds its stack).
[[noreturn]] void ExitThread(DWORD exit_code);
// The safe form of forced termination: the thread ends with exit_code at its
// next platform wait or call that can block, its stack unwound so that its
// resources are released. A thread that never waits again runs on.
BOOL TerminateThread(const ThreadHandle& thread, DWORD exit_code);

class Event final : public Waitable {
 public:
  bool manual_reset() const { return manual_reset_; }

 protected:
  bool IsSignalled() const override { return signalled_; }
  void Acquire() override {
    if (!manual_reset_) signalled_ = false;
  }

 private:
  friend class Kernel;
  friend std::shared_ptr<Event> CreateEvent(bool, bool);
  friend BOOL SetEvent(const std::shared_ptr<Event>&);
  friend BOOL ResetEvent(const std::shared_ptr<Event>&);
  friend BOOL PulseEvent(const std::shared_ptr<Event>&);
  Event(bool manual_reset, bool signalled) : manual_reset_(manual_reset), signalled_(signalled) {}
  const bool manual_reset_;
  bool signalled_;  // Guarded by the kernel lock.
};

using EventHandle = std::shared_ptr<Event>;

EventHandle CreateEvent(bool manual_reset, bool initial_state);
BOOL SetEvent(const EventHandle& event);
BOOL ResetEvent(const EventHandle& event);
// Releases every waiting thread (manual reset) or one (auto reset), then
// leaves the event reset.
BOOL PulseEvent(const EventHandle& event);

// WAIT_OBJECT_0, WAIT_TIMEOUT or WAIT_FAILED (bad argument).
DWORD WaitForSingleObject(Waitable& object, DWORD timeout_ms);
DWORD WaitForSingleObject(const std::shared_ptr<Waitable>& object, DWORD timeout_ms);
// WAIT_OBJECT_0 + index of the first signalled object (wait_all false), or
// WAIT_OBJECT_0 when all are signalled together (wait_all true).
DWORD WaitForMultipleObjects(std::span<Waitable* const> objects, bool wait_all, DWORD timeout_ms);

// A recursive lock whose waits the virtual clock sees.
class CriticalSection {
 public:
  CriticalSection() = default;
  ~CriticalSection() = default;
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  void Enter();
  bool TryEnter();
  void Leave();

  // For std::lock_guard / std::unique_lock.
  void lock() { Enter(); }
  bool try_lock() { return TryEnter(); }
  void unlock() { Leave(); }

 private:
  friend class Kernel;
  DWORD owner_ = 0;  // Guarded by the kernel lock.
  int depth_ = 0;
};

}  // namespace platform
