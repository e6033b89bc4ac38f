// Live handles of one kind: a handle is the object's address, and it is
// only followed after the table has found it, so stale handles fail
// cleanly instead of touching freed memory.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

namespace platform::gdi {

template <typename T>
class HandleTable {
 public:
  static HandleTable& Instance() {
    static HandleTable table;
    return table;
  }

  T* Add(std::shared_ptr<T> object) {
    T* handle = object.get();
    std::lock_guard lock(mutex_);
    objects_.emplace(handle, std::move(object));
    return handle;
  }
  std::shared_ptr<T> Find(const void* handle) {
    if (handle == nullptr) return nullptr;
    std::lock_guard lock(mutex_);
    auto found = objects_.find(handle);
    return found == objects_.end() ? nullptr : found->second;
  }
  std::shared_ptr<T> Remove(const void* handle) {
    std::lock_guard lock(mutex_);
    auto found = objects_.find(handle);
    if (found == objects_.end()) return nullptr;
    std::shared_ptr<T> object = std::move(found->second);
    objects_.erase(found);
    return object;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<const void*, std::shared_ptr<T>> objects_;
};

}  // namespace platform::gdi
