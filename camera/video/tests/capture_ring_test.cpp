// The capture ring on its own: order across the ring's end, refused reads,
// and the order after a buffer was dropped while the ring was full.
#include "capture_ring.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace camera {
namespace {

constexpr std::size_t kSlots = 4;
constexpr std::size_t kSlotBytes = 8;

// A buffer whose bytes count on from `first`.
std::vector<std::uint8_t> Counting(std::uint8_t first, std::size_t size = kSlotBytes) {
  std::vector<std::uint8_t> bytes(size);
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

TEST(CaptureRingTest, BytesComeOutInTheirOrderAcrossTheEndWhateverTheReadSizes) {
  CaptureRing ring;
  ring.Allocate(kSlots, kSlotBytes);
  ring.Begin(2);  // the first buffer back was the third one queued
  std::vector<std::uint8_t> out;
  std::uint8_t next = 0;
  const std::size_t reads[] = {3, 5, 7, 1, 8, 4, 4};
  std::size_t read_index = 0;
  for (int round = 0; round < 60; ++round) {
    if (ring.HasRoomForSlot()) {
      ring.StoreSlot(Counting(next).data(), kSlotBytes);
      next = static_cast<std::uint8_t>(next + kSlotBytes);
    }
    std::vector<std::uint8_t> piece(reads[read_index++ % std::size(reads)]);
    if (ring.Read(piece.data(), piece.size())) out.insert(out.end(), piece.begin(), piece.end());
  }
  ASSERT_GT(out.size(), 3 * kSlots * kSlotBytes);
  for (std::size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], static_cast<std::uint8_t>(i));
}

TEST(CaptureRingTest, AReadOfMoreThanItHoldsTakesNothing) {
  CaptureRing ring;
  ring.Allocate(kSlots, kSlotBytes);
  std::vector<std::uint8_t> out(4);
  EXPECT_FALSE(ring.Read(out.data(), 4)) << "nothing to read before the first buffer";
  ring.Begin(0);
  ring.StoreSlot(Counting(10).data(), kSlotBytes);
  std::vector<std::uint8_t> too_much(kSlotBytes + 1);
  EXPECT_FALSE(ring.Read(too_much.data(), too_much.size()));
  EXPECT_EQ(ring.fill(), kSlotBytes);
  ASSERT_TRUE(ring.Read(out.data(), 4));
  EXPECT_EQ(out, Counting(10, 4));
}

TEST(CaptureRingTest, AShortBufferIsPaddedWithSilenceToItsSlot) {
  CaptureRing ring;
  ring.Allocate(kSlots, kSlotBytes);
  ring.Begin(0);
  ring.StoreSlot(Counting(1).data(), 3);
  std::vector<std::uint8_t> out(kSlotBytes);
  ASSERT_TRUE(ring.Read(out.data(), kSlotBytes));
  EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3, 0, 0, 0, 0, 0}));
}

TEST(CaptureRingTest, AfterABufferWasDroppedTheNextOneFollowsWhatIsHeld) {
  CaptureRing ring;
  ring.Allocate(kSlots, kSlotBytes);
  ring.Begin(0);
  std::uint8_t next = 0;
  while (ring.HasRoomForSlot()) {
    ring.StoreSlot(Counting(next).data(), kSlotBytes);
    next = static_cast<std::uint8_t>(next + kSlotBytes);
  }
  // Full: the device's next buffer is dropped, one slot is read, and the
  // buffer after the dropped one comes in.
  std::vector<std::uint8_t> out(kSlotBytes);
  ASSERT_TRUE(ring.Read(out.data(), kSlotBytes));
  ring.StoreSlot(Counting(100).data(), kSlotBytes);
  std::vector<std::uint8_t> rest(ring.fill());
  ASSERT_TRUE(ring.Read(rest.data(), rest.size()));
  std::vector<std::uint8_t> expected = Counting(kSlotBytes, 3 * kSlotBytes);
  const std::vector<std::uint8_t> after = Counting(100);
  expected.insert(expected.end(), after.begin(), after.end());
  EXPECT_EQ(rest, expected) << "no stale slot between the held sound and the new buffer";
}

}  // namespace
}  // namespace camera
