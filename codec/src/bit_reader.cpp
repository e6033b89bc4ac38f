#include "bit_reader.h"

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

bool BitReader::ReadSegmentByte(uint32_t& value) {
  Align();
  if (bits_ >= 8) {
    value = Take(8);
    return true;
  }
  if (source_.pos == source_.end && source_.Refill() == 0) return false;
  value = *source_.pos++;
  return true;
}

bool BitReader::ReadSegmentWord(uint32_t& value) {
  uint32_t high, low;
  if (!ReadSegmentByte(high) || !ReadSegmentByte(low)) return false;
  value = high << 8 | low;
  return true;
}

bool BitReader::SkipSegmentBytes(size_t count) {
  Align();
  for (; count > 0 && bits_ >= 8; --count) Drop(8);
  return source_.Skip(count);
}

void BitReader::PrefetchBytes() {
  while (bits_ <= 48) {
    if (source_.pos == source_.end && source_.Refill() == 0) return;
    if (FillWord()) continue;
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
