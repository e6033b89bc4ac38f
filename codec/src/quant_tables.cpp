// DQT: 8-bit tables, stored in natural order.
#include "decode_steps.h"
#include "entropy_decoder.h"

namespace codec {

JpegResult ReadQuantTables(JpegDecoder& decoder, BitReader& reader) {
  uint32_t length;
  if (!reader.ReadSegmentWord(length)) return kJpegBadStream;
  int remaining = static_cast<int>(length) - 2;
  do {
    uint32_t precision_and_id;
    if (!reader.ReadSegmentByte(precision_and_id)) return kJpegBadStream;
    if (precision_and_id > 15) return kJpegQuantPrecision;
    // The store holds tables 0 to 3 only.
    if (precision_and_id >= kQuantTables) return kJpegBadStream;
    ++decoder.quant_table_count;
    QuantTable& table = decoder.quant[precision_and_id];
    for (int i = 0; i < 64; ++i) {
      uint32_t value;
      if (!reader.ReadSegmentByte(value)) return kJpegBadStream;
      table[kNaturalOrder[i]] = static_cast<int32_t>(value);
    }
    remaining -= 65;
  } while (remaining >= 1);
  return kJpegOk;
}

}  // namespace codec
