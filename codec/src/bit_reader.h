// Bit reader over the chunked source. Bytes enter the accumulator from below;
// after a 0xFF the next byte is fetched at once and dropped when it is 0x00
// (byte stuffing), otherwise kept, so a marker stands in the bit stream as its
// two bytes. The next bit to read is the highest valid one.
//
// Two ways of filling: Need() fetches one byte at a time, only when more bits
// are asked for than are held, exactly as the headers are read. Prefetch()
// fills the accumulator ahead for the entropy decoder but never past a marker,
// so once the scan reaches its marker the reader holds nothing beyond it, and
// running out of source is noticed only when bits are really needed.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "chunked_source.h"

namespace codec {

class BitReader {
 public:
  explicit BitReader(ChunkedSource& source) : source_(source) {}

  // Starts with the first source byte loaded as 8 bits.
  void LoadFirstByte() {
    acc_ = *source_.pos++;
    bits_ = 8;
  }

  int bits() const { return bits_; }

  // Makes sure at least `count` (<= 32) bits are held; false when the source
  // ends first.
  bool Need(int count) {
    while (bits_ < count) {
      if (!FetchByte()) return false;
    }
    return true;
  }

  // Fills ahead up to at least 48 bits where the data allows.
  void Prefetch() {
    if (bits_ > 48) return;
    if (stopped_at_marker_) {
      if (bits_ > bits_after_marker_) return;
      stopped_at_marker_ = false;
    }
    if (!FillWord()) PrefetchBytes();
  }

  // The next `count` bits (1..32) without taking them; they must be held.
  uint32_t Peek(int count) const {
    return static_cast<uint32_t>(acc_ >> (bits_ - count)) & static_cast<uint32_t>(Mask(count));
  }
  void Drop(int count) { bits_ -= count; }
  uint32_t Take(int count) {
    const uint32_t value = Peek(count);
    bits_ -= count;
    return value;
  }

  // Reads `count` bits (0..16); false when the source ends first.
  bool Read(int count, uint32_t& value) {
    if (bits_ < count && !Need(count)) return false;
    value = count == 0 ? 0 : Take(count);
    return true;
  }

  // Drops the bit count to a multiple of 8.
  void Align() { bits_ -= bits_ % 8; }

  // Reads the next byte (word, high byte first) of a marker segment. Segments
  // carry no byte stuffing and no markers, so their bytes come as they stand:
  // whole bytes already held first, then straight from the source. False
  // when the source ends first.
  bool ReadSegmentByte(uint32_t& value);
  bool ReadSegmentWord(uint32_t& value);
  // Passes over `count` segment bytes, which may run over several chunks.
  bool SkipSegmentBytes(size_t count);

 private:
  static constexpr uint64_t Mask(int count) { return (uint64_t{1} << count) - 1; }

  void Shift(uint32_t byte) {
    acc_ = acc_ << 8 | byte;
    bits_ += 8;
    if (stopped_at_marker_) bits_after_marker_ += 8;
  }

  // Takes as many whole bytes of the next eight as the accumulator holds,
  // when none of the eight is 0xFF; false (nothing taken) otherwise.
  bool FillWord() {
    if (source_.Available() < 8) return false;
    uint64_t word;
    std::memcpy(&word, source_.pos, sizeof word);
    // Some byte is 0xFF when some byte of ~word is zero.
    const uint64_t inverted = ~word;
    if (((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) != 0) {
      return false;
    }
    const int count = (63 - bits_) >> 3;
    const int shift = count * 8;
    const uint64_t in_order =
        std::endian::native == std::endian::little ? __builtin_bswap64(word) : word;
    acc_ = acc_ << shift | in_order >> (64 - shift);
    source_.pos += count;
    bits_ += shift;
    return true;
  }

  bool FetchByte();
  void PrefetchBytes();

  ChunkedSource& source_;
  uint64_t acc_ = 0;
  int bits_ = 0;
  // Set while a marker taken into the accumulator has not been read out;
  // bits_after_marker_ counts the bits fetched behind it.
  bool stopped_at_marker_ = false;
  int bits_after_marker_ = 0;
};

}  // namespace codec
