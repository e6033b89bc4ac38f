#include "bit_reader.h"

#include <cstring>

namespace codec {

bool BitReader::FetchByte() {
  if (source_.pos == source_.end && source_.Refill() == 0) return false;
  const uint8_t byte = *source_.pos++;
  if (byte != 0xFF) {
    Shift(byte);
    return true;
  }
  Shift(0xFF);
  if (source_.pos == source_.end && source_.Refill() == 0) return false;
  const uint8_t next = *source_.pos++;
  if (next != 0x00) {
    Shift(next);
    stopped_at_marker_ = true;
    bits_after_marker_ = 0;
  }
  return true;
}

void BitReader::PrefetchBytes() {
  while (bits_ <= 48) {
    if (source_.pos == source_.end && source_.Refill() == 0) return;
    // Eight bytes at a time while none of them is 0xFF.
    if (source_.Available() >= 8) {
      uint64_t word;
      std::memcpy(&word, source_.pos, sizeof word);
      // True when some byte of `word` is 0xFF (i.e. some byte of ~word is 0).
      const uint64_t inverted = ~word;
      const bool has_ff =
          ((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) != 0;
      if (!has_ff) {
        const int count = (63 - bits_) >> 3;
        for (int i = 0; i < count; ++i) acc_ = acc_ << 8 | source_.pos[i];
        source_.pos += count;
        bits_ += count * 8;
        continue;
      }
    }
    const uint8_t byte = *source_.pos;
    if (byte != 0xFF) {
      Shift(byte);
      ++source_.pos;
      continue;
    }
    // The byte after 0xFF lies in the next chunk: leave the pair to Need().
    if (source_.Available() < 2) return;
    const uint8_t next = source_.pos[1];
    source_.pos += 2;
    Shift(0xFF);
    if (next != 0x00) {
      Shift(next);
      stopped_at_marker_ = true;
      bits_after_marker_ = 0;
      return;
    }
  }
}

}  // namespace codec
