// Per-window state that a window class keeps beside its windows (dialogs,
// menu bars, property sheets): one map per handheld, by window handle. The
// class's procedure adds the state when it makes the window and removes it
// at WM_DESTROY; whatever is left goes when the handheld shuts down.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "platform/handheld.h"
#include "platform/messages.h"

namespace platform::dialogs {

template <typename State>
class WindowStateMap : public HandheldService {
 public:
  void Add(HWND hwnd, std::shared_ptr<State> state) {
    std::lock_guard lock(mutex_);
    states_[hwnd] = std::move(state);
  }
  // Null for a window without state.
  std::shared_ptr<State> Find(HWND hwnd) const {
    std::lock_guard lock(mutex_);
    auto it = states_.find(hwnd);
    return it == states_.end() ? nullptr : it->second;
  }
  void Remove(HWND hwnd) {
    std::shared_ptr<State> gone;  // released after the lock
    std::lock_guard lock(mutex_);
    auto it = states_.find(hwnd);
    if (it == states_.end()) return;
    gone = std::move(it->second);
    states_.erase(it);
  }
  void Shutdown() override {
    std::map<HWND, std::shared_ptr<State>> gone;
    std::lock_guard lock(mutex_);
    gone.swap(states_);
  }

 private:
  mutable std::mutex mutex_;
  std::map<HWND, std::shared_ptr<State>> states_;
};

}  // namespace platform::dialogs
