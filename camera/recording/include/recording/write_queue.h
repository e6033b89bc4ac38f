// The clip writer's queue of pending buffers. Producers (the frame pump, the
// sound capture) add private copies; the writer thread alone takes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "platform/threads.h"
#include "recording/avi_formats.h"

namespace recording {

struct QueuedBuffer {
  DWORD kind = kQueueVideo;  // kQueueVideo, kQueueAudio, or anything else to drop
  std::vector<std::uint8_t> data;
};

class WriteQueue {
 public:
  WriteQueue() = default;
  WriteQueue(const WriteQueue&) = delete;
  WriteQueue& operator=(const WriteQueue&) = delete;

  // Copies `size` bytes to the tail. -1 for a null pointer, a size below 1
  // or no memory; 0 otherwise.
  int Add(DWORD kind, const void* data, LONG size);
  // Removes and returns the head item.
  std::optional<QueuedBuffer> Take();
  std::size_t Size() const;
  void Clear();

 private:
  mutable platform::CriticalSection lock_;
  std::deque<QueuedBuffer> items_;  // Guarded by lock_.
};

}  // namespace recording
