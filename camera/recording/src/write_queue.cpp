#include "recording/write_queue.h"

#include <mutex>
#include <new>

namespace recording {

int WriteQueue::Add(DWORD kind, const void* data, LONG size) {
  if (!data || size < 1) return -1;
  QueuedBuffer item;
  item.kind = kind;
  try {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    item.data.assign(bytes, bytes + size);
    std::lock_guard guard(lock_);
    items_.push_back(std::move(item));
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return 0;
}

std::optional<QueuedBuffer> WriteQueue::Take() {
  std::lock_guard guard(lock_);
  if (items_.empty()) return std::nullopt;
  QueuedBuffer item = std::move(items_.front());
  items_.pop_front();
  return item;
}

std::size_t WriteQueue::Size() const {
  std::lock_guard guard(lock_);
  return items_.size();
}

void WriteQueue::Clear() {
  std::lock_guard guard(lock_);
  items_.clear();
}

}  // namespace recording
