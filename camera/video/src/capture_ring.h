// The ring between the wave buffers and the clip: whole buffers go in, in
// the order the device returned them, and blocks of any size come out in
// the same order. Not locked: the sound recorder guards it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace camera {

class CaptureRing {
 public:
  // `slot_count` slots of `slot_bytes`, zeroed; nothing to read yet.
  void Allocate(std::size_t slot_count, std::size_t slot_bytes);
  void Free();

  std::size_t capacity() const { return bytes_.size(); }
  std::size_t slot_bytes() const { return slot_bytes_; }
  std::size_t fill() const { return fill_; }
  // Whether reading has a start: set by the first buffer after Unset.
  bool started() const { return started_; }
  // Forgets what is held; the next buffer starts the ring again.
  void Unset() { started_ = false; }
  // The ring starts at `slot` with nothing held.
  void Begin(std::size_t slot);

  bool HasRoomForSlot() const { return fill_ + slot_bytes_ <= capacity(); }
  // Stores one buffer's `recorded` bytes (at most a slot) behind what is
  // held, the rest of the slot zeroed. The caller checked the room.
  void StoreSlot(const std::uint8_t* data, std::size_t recorded);
  // Copies `n` bytes from the read position, wrapping at the ring's end;
  // false (nothing taken) unless the ring holds that many.
  bool Read(std::uint8_t* destination, std::size_t n);

 private:
  std::vector<std::uint8_t> bytes_;
  std::vector<std::uint8_t> slot_;  // one buffer, padded, before it goes in
  std::size_t slot_bytes_ = 0;
  std::size_t read_ = 0;
  std::size_t fill_ = 0;
  bool started_ = false;
};

}  // namespace camera
