#include "kernel/kernel.h"

#include <algorithm>
#include <chrono>
#include <exception>

#include "kernel/device_clock.h"
#include "platform/handheld.h"
#include "platform/last_error.h"

namespace platform {

struct Waiter {
  ThreadState* thread = nullptr;
  const Kernel::Completion* try_complete = nullptr;
  std::uint64_t deadline_us = Kernel::kNoDeadline;
  bool counted = false;  // the thread was runnable before it waited
  bool settles = false;  // waits until every other handheld thread waits
  bool done = false;
  DWORD result = WAIT_TIMEOUT;
  std::condition_variable wake;
};

Kernel& CurrentKernel() { return Handheld::Current().kernel(); }

Kernel::Kernel(bool virtual_clock, FILETIME boot_time)
    : virtual_clock_(virtual_clock),
      boot_time_(boot_time),
      real_start_(std::chrono::steady_clock::now()) {}

Kernel::~Kernel() { EndAllThreads(); }

// --- Clock -----------------------------------------------------------------

std::uint64_t Kernel::NowUs(const Lock&) { return NowUsLocked(); }

std::uint64_t Kernel::NowUsLocked() const {
  if (virtual_clock_) return virtual_now_us_;
  auto elapsed = std::chrono::steady_clock::now() - real_start_;
  return std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
}

std::uint64_t Kernel::NowUs() {
  Lock lock = Acquire();
  return NowUs(lock);
}

FILETIME Kernel::SystemTime() {
  Lock lock = Acquire();
  return FILETIME::FromTicks(boot_time_.Ticks() + NowUsLocked() * 10);
}

void Kernel::SetSystemTime(FILETIME now) {
  Lock lock = Acquire();
  boot_time_ = FILETIME::FromTicks(now.Ticks() - NowUsLocked() * 10);
}

std::uint64_t Kernel::DeadlineAfter(const Lock& lock, DWORD timeout_ms) {
  if (timeout_ms == INFINITE) return kNoDeadline;
  return NowUs(lock) + std::uint64_t{timeout_ms} * 1000;
}

void Kernel::Advance(std::uint64_t microseconds) {
  if (!virtual_clock_) return;
  Lock lock = Acquire();
  virtual_now_us_ += microseconds;
  WakeExpired();
}

namespace {

// Real-time clock: until when the calling thread owes modelled costs.
thread_local std::chrono::steady_clock::time_point owed_until;

}  // namespace

void Kernel::Spend(std::uint64_t microseconds) {
  if (!virtual_clock_) {
    // The host cannot sleep for a few microseconds: each such sleep lasts
    // tens of them. Small costs are owed instead and paid together once
    // they add up, and time the thread spent otherwise meanwhile counts as
    // paid. Devices see the owed time as passed (DeviceNowUs).
    using std::chrono::steady_clock;
    constexpr auto kShortestSleep = std::chrono::milliseconds(1);
    const steady_clock::time_point now = steady_clock::now();
    owed_until = std::max(owed_until, now) + std::chrono::microseconds(microseconds);
    if (owed_until - now >= kShortestSleep) std::this_thread::sleep_until(owed_until);
    return;
  }
  Advance(microseconds);
}

std::uint64_t DeviceNowUs(Kernel& kernel) {
  const std::uint64_t now = kernel.NowUs();
  if (kernel.virtual_clock()) return now;
  const auto owed = owed_until - std::chrono::steady_clock::now();
  if (owed.count() <= 0) return now;
  return now + std::chrono::duration_cast<std::chrono::microseconds>(owed).count();
}

void Kernel::WakeExpired() {
  const std::uint64_t now = NowUsLocked();
  std::vector<Waiter*> expired;
  for (Waiter* waiter : waiters_) {
    if (waiter->deadline_us <= now) expired.push_back(waiter);
  }
  for (Waiter* waiter : expired) Complete(*waiter, WAIT_TIMEOUT);
}

void Kernel::AdvanceIfIdle() {
  if (!virtual_clock_) return;
  while (runnable_ == 0 && !waiters_.empty()) {
    // A settling thread asked for exactly this moment: it goes on before
    // the clock moves.
    auto settler = std::find_if(waiters_.begin(), waiters_.end(),
                                [](const Waiter* waiter) { return waiter->settles; });
    if (settler != waiters_.end()) {
      Complete(**settler, WAIT_OBJECT_0);
      return;
    }
    std::uint64_t next = kNoDeadline;
    for (const Waiter* waiter : waiters_) next = std::min(next, waiter->deadline_us);
    if (next == kNoDeadline) return;  // everyone waits for something only a thread can do
    virtual_now_us_ = std::max(virtual_now_us_, next);
    WakeExpired();
  }
}

// --- Waiting ---------------------------------------------------------------

void Kernel::Complete(Waiter& waiter, DWORD result) {
  if (waiter.done) return;
  waiter.done = true;
  waiter.result = result;
  waiters_.remove(&waiter);
  if (waiter.counted) ++runnable_;
  waiter.wake.notify_one();
}

void Kernel::StateChanged(const Lock&) {
  // Waiters are served in the order they started waiting, so a signal that
  // only one can take goes to the one that waited longest.
  std::vector<Waiter*> snapshot(waiters_.begin(), waiters_.end());
  for (Waiter* waiter : snapshot) {
    if (waiter->done) continue;
    if (auto result = (*waiter->try_complete)()) Complete(*waiter, *result);
  }
}

std::optional<DWORD> Kernel::TryAcquireObjects(std::span<Waitable* const> objects, bool wait_all) {
  if (wait_all) {
    for (Waitable* object : objects) {
      if (!object->IsSignalled()) return std::nullopt;
    }
    for (Waitable* object : objects) object->Acquire();
    return WAIT_OBJECT_0;
  }
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (objects[i]->IsSignalled()) {
      objects[i]->Acquire();
      return WAIT_OBJECT_0 + static_cast<DWORD>(i);
    }
  }
  return std::nullopt;
}

void Kernel::ThrowIfTerminating(ThreadState& state) {
  // Never throw while the thread already unwinds: destructors may wait.
  if (state.terminate_requested && std::uncaught_exceptions() == 0) {
    throw ThreadExit{state.terminate_code};
  }
}

DWORD Kernel::Wait(Lock& lock, const Completion& try_complete, std::uint64_t deadline_us) {
  return WaitAs(lock, try_complete, deadline_us, false);
}

void Kernel::Settle() {
  if (!virtual_clock_) return;
  Lock lock = Acquire();
  if (!Current(lock).attached) return;
  const Completion only_when_idle = [] { return std::optional<DWORD>(); };
  WaitAs(lock, only_when_idle, kNoDeadline, true);
}

DWORD Kernel::WaitAs(Lock& lock, const Completion& try_complete, std::uint64_t deadline_us,
                     bool settles) {
  ThreadState& self = Current(lock);
  ThrowIfTerminating(self);
  if (auto result = try_complete()) return *result;
  if (self.terminate_requested) return WAIT_FAILED;  // unwinding: do not block
  if (deadline_us <= NowUs(lock)) return WAIT_TIMEOUT;

  Waiter waiter;
  waiter.thread = &self;
  waiter.try_complete = &try_complete;
  waiter.deadline_us = deadline_us;
  waiter.counted = self.attached;
  waiter.settles = settles;
  waiters_.push_back(&waiter);
  self.waiting = &waiter;
  if (waiter.counted) --runnable_;
  AdvanceIfIdle();

  while (!waiter.done) {
    if (virtual_clock_ || deadline_us == kNoDeadline) {
      waiter.wake.wait(lock);
    } else {
      auto wake_at = real_start_ + std::chrono::microseconds(deadline_us);
      if (waiter.wake.wait_until(lock, wake_at) == std::cv_status::timeout) WakeExpired();
    }
  }
  self.waiting = nullptr;
  ThrowIfTerminating(self);
  return waiter.result;
}

// --- Threads ---------------------------------------------------------------

ThreadState& Kernel::Current(const Lock&) {
  ThreadState*& slot = by_host_id_[std::this_thread::get_id()];
  if (!slot) {
    auto state = std::make_unique<ThreadState>();
    state->id = next_thread_id_++;
    slot = state.get();
    states_[state->id] = std::move(state);
  }
  return *slot;
}

ThreadState* Kernel::Find(const Lock&, DWORD thread_id) {
  auto it = states_.find(thread_id);
  return it == states_.end() ? nullptr : it->second.get();
}

void Kernel::AttachCurrentThread() {
  Lock lock = Acquire();
  ThreadState& self = Current(lock);
  if (self.attached) return;
  self.attached = true;
  ++runnable_;
}

void Kernel::DetachCurrentThread() {
  Lock lock = Acquire();
  ThreadState& self = Current(lock);
  if (!self.attached) return;
  self.attached = false;
  --runnable_;
  AdvanceIfIdle();
}

ThreadHandle Kernel::StartThread(ThreadEntry entry, std::string name) {
  Lock lock = Acquire();
  auto state = std::make_unique<ThreadState>();
  state->id = next_thread_id_++;
  state->attached = true;
  state->handle = ThreadHandle(new Thread(state->id, std::move(name)));
  // Counted from now on, so the clock cannot run ahead before it starts.
  ++runnable_;
  ThreadState* raw_state = state.get();
  states_[state->id] = std::move(state);
  host_threads_.emplace_back(&Kernel::ThreadMain, this, raw_state, std::move(entry));
  return raw_state->handle;
}

void Kernel::ThreadMain(ThreadState* state, ThreadEntry entry) {
  {
    Lock lock = Acquire();
    by_host_id_[std::this_thread::get_id()] = state;
  }
  DWORD exit_code = 0;
  try {
    Lock lock = Acquire();
    ThrowIfTerminating(*state);  // terminated before it ran
    lock.unlock();
    exit_code = entry();
  } catch (const ThreadExit& exit) {
    exit_code = exit.exit_code;
  }
  Lock lock = Acquire();
  ReleaseThreadResources(*state);
  ThreadHandle handle = state->handle;
  handle->exit_code_ = exit_code;
  handle->finished_ = true;
  --runnable_;
  by_host_id_.erase(std::this_thread::get_id());
  states_.erase(state->id);
  StateChanged(lock);
  AdvanceIfIdle();
}

void Kernel::ReleaseThreadResources(ThreadState& state) {
  // Senders waiting on this thread get 0, as for a window that is gone.
  for (auto& sent : state.queue.sent) sent->done = true;
  state.queue.sent.clear();
  std::erase_if(targets_, [&](const auto& entry) { return entry.second.owner == state.id; });
}

bool Kernel::RequestTermination(const ThreadHandle& thread, DWORD exit_code) {
  Lock lock = Acquire();
  ThreadState* state = Find(lock, thread->id());
  if (!state || thread->finished_) return false;
  state->terminate_requested = true;
  state->terminate_code = exit_code;
  if (state->waiting) Complete(*state->waiting, WAIT_FAILED);
  return true;
}

void Kernel::ReleaseCurrentThreadTargets() {
  Lock lock = Acquire();
  ReleaseThreadResources(Current(lock));
  StateChanged(lock);
}

void Kernel::EndAllThreads() {
  std::vector<std::thread> threads;
  for (;;) {
    {
      Lock lock = Acquire();
      for (auto& [host_id, state] : states_) {
        if (!state->handle) continue;
        state->terminate_requested = true;
        if (state->waiting) Complete(*state->waiting, WAIT_FAILED);
      }
      threads = std::move(host_threads_);
      host_threads_.clear();
    }
    if (threads.empty()) return;
    for (auto& thread : threads) thread.join();
  }
}

// --- Message targets -------------------------------------------------------

HWND Kernel::AddTarget(const Lock&, DWORD owner, WindowProcedure procedure) {
  std::uintptr_t id = next_target_;
  next_target_ += 4;
  targets_[id] = TargetEntry{owner, std::move(procedure)};
  return reinterpret_cast<HWND>(id);
}

TargetEntry* Kernel::FindTarget(const Lock&, HWND hwnd) {
  auto it = targets_.find(reinterpret_cast<std::uintptr_t>(hwnd));
  return it == targets_.end() ? nullptr : &it->second;
}

void Kernel::RemoveTarget(const Lock&, HWND hwnd) {
  targets_.erase(reinterpret_cast<std::uintptr_t>(hwnd));
}

}  // namespace platform
