#include "capture_ring.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace camera {

void CaptureRing::Allocate(std::size_t slot_count, std::size_t slot_bytes) {
  bytes_.assign(slot_count * slot_bytes, 0);
  slot_.assign(slot_bytes, 0);
  slot_bytes_ = slot_bytes;
  read_ = fill_ = 0;
  started_ = false;
}

void CaptureRing::Free() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  slot_.clear();
  slot_.shrink_to_fit();
  slot_bytes_ = read_ = fill_ = 0;
  started_ = false;
}

void CaptureRing::Begin(std::size_t slot) {
  read_ = capacity() == 0 ? 0 : (slot * slot_bytes_) % capacity();
  fill_ = 0;
  started_ = true;
}

void CaptureRing::StoreSlot(const std::uint8_t* data, std::size_t recorded) {
  assert(started_ && HasRoomForSlot());
  // Each buffer goes right behind the last one, whatever slot its header
  // had: a buffer dropped while the ring was full must leave no stale slot
  // in the middle of the sound.
  // Reads of any size may leave the write position anywhere, so the slot
  // may wrap at the ring's end.
  recorded = std::min(recorded, slot_bytes_);
  std::memcpy(slot_.data(), data, recorded);
  std::memset(slot_.data() + recorded, 0, slot_bytes_ - recorded);
  const std::size_t at = (read_ + fill_) % capacity();
  const std::size_t first = std::min(slot_bytes_, capacity() - at);
  std::memcpy(bytes_.data() + at, slot_.data(), first);
  std::memcpy(bytes_.data(), slot_.data() + first, slot_bytes_ - first);
  fill_ += slot_bytes_;
}

bool CaptureRing::Read(std::uint8_t* destination, std::size_t n) {
  if (!started_ || fill_ < n) return false;
  const std::size_t first = std::min(n, capacity() - read_);
  std::memcpy(destination, bytes_.data() + read_, first);
  std::memcpy(destination + first, bytes_.data(), n - first);
  read_ = (read_ + n) % capacity();
  fill_ -= n;
  return true;
}

}  // namespace camera
