#include "controls/scroll_info_store.h"

namespace platform::controls {

ScrollInfoStore& ScrollInfoStore::Get() {
  return Handheld::Current().GetService<ScrollInfoStore>();
}

int ScrollInfoStore::Set(HWND hwnd, int bar, const SCROLLINFO& info) {
  std::lock_guard lock(mutex_);
  const auto key = std::make_pair(hwnd, bar);
  if (!bars_.contains(key)) ForgetDestroyedWindows();
  return bars_[key].Set(info);
}

ScrollModel ScrollInfoStore::Model(HWND hwnd, int bar) const {
  std::lock_guard lock(mutex_);
  const auto it = bars_.find({hwnd, bar});
  return it == bars_.end() ? ScrollModel{} : it->second;
}

bool ScrollInfoStore::Known(HWND hwnd, int bar) const {
  std::lock_guard lock(mutex_);
  return bars_.contains({hwnd, bar});
}

void ScrollInfoStore::SetTrackPosition(HWND hwnd, int bar, int position) {
  std::lock_guard lock(mutex_);
  bars_[{hwnd, bar}].set_track_position(position);
}

void ScrollInfoStore::Forget(HWND hwnd) {
  std::lock_guard lock(mutex_);
  std::erase_if(bars_, [&](const auto& entry) { return entry.first.first == hwnd; });
}

void ScrollInfoStore::ForgetDestroyedWindows() {
  std::erase_if(bars_, [](const auto& entry) { return !IsWindow(entry.first.first); });
}

}  // namespace platform::controls
