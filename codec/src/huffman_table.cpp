#include "huffman_table.h"

namespace codec {

bool BuildHuffmanTable(const HuffmanTableDefinition& definition, HuffmanDecodingTable& table) {
  table = HuffmanDecodingTable{};
  table.counts = definition.counts;
  int total = 0;
  for (uint8_t count : definition.counts) total += count;
  if (total > 256 || static_cast<size_t>(total) > definition.symbols.size()) return false;
  for (int i = 0; i < total; ++i) table.symbols[i] = definition.symbols[i];
  table.symbol_count = total;

  int32_t code = 0;
  int index = 0;
  for (int length = 1; length <= 16; ++length) {
    const int count = definition.counts[length - 1];
    if (count == 0) {
      table.max_code[length] = -1;
    } else {
      table.offset[length] = index - code;
      // Codes of this length must fit in `length` bits.
      if (code + count > (1 << length)) return false;
      for (int i = 0; i < count; ++i, ++code, ++index) {
        if (length <= 8) {
          const int shift = 8 - length;
          const int first = code << shift;
          for (int fill = 0; fill < (1 << shift); ++fill) {
            table.look_length[first + fill] = static_cast<uint8_t>(length);
            table.look_symbol[first + fill] = table.symbols[index];
          }
        }
      }
      table.max_code[length] = code - 1;
      table.longest = length;
    }
    code <<= 1;
  }
  table.max_code[17] = 0x7FFFFFFF;

  // Codes, with their extra bits where those fit too, in the fast prefix.
  // The value follows the sign rule of the extra bits: the upper half of the
  // range is positive.
  code = 0;
  index = 0;
  constexpr int kBits = HuffmanDecodingTable::kFastBits;
  for (int length = 1; length <= 16; ++length) {
    for (int i = 0; i < definition.counts[length - 1]; ++i, ++code, ++index) {
      const uint8_t symbol = table.symbols[index];
      const int size = symbol & 15;
      if (length > kBits) continue;
      if (length + size > kBits) {
        const int prefix = code << (kBits - length);
        for (int fill = 0; fill < (1 << (kBits - length)); ++fill) {
          table.fast[prefix + fill] = {
              0, symbol, static_cast<uint8_t>(length | HuffmanDecodingTable::kCodeOnly)};
        }
        continue;
      }
      for (int extra = 0; extra < (1 << size); ++extra) {
        const int total = length + size;
        const int prefix = (code << size | extra) << (kBits - total);
        const int value = size == 0                       ? 0
                          : extra > (1 << (size - 1)) - 1 ? extra
                                                          : extra - ((1 << size) - 1);
        for (int fill = 0; fill < (1 << (kBits - total)); ++fill) {
          table.fast[prefix + fill] = {static_cast<int16_t>(value), symbol,
                                       static_cast<uint8_t>(total)};
        }
      }
    }
    code <<= 1;
  }
  return true;
}

}  // namespace codec
