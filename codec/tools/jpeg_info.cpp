#include "jpeg_info.h"

#include <algorithm>
#include <cstdio>

#include "codec/standard_huffman_tables.h"

namespace codec::tools {
namespace {

std::string FrameName(uint8_t code) {
  static const char* const kNames[16] = {"SOF0 baseline",
                                         "SOF1 extended",
                                         "SOF2 progressive",
                                         "SOF3 lossless",
                                         "",
                                         "SOF5 differential",
                                         "SOF6 differential",
                                         "SOF7 differential",
                                         "JPG",
                                         "SOF9 arithmetic",
                                         "SOF10 arithmetic",
                                         "SOF11 arithmetic",
                                         "",
                                         "SOF13 arithmetic",
                                         "SOF14 arithmetic",
                                         "SOF15 arithmetic"};
  return kNames[code - 0xC0];
}

bool IsStandard(int table_class, int id, std::span<const uint8_t> body) {
  for (const HuffmanTableDefinition& definition : StandardHuffmanTables()) {
    if (definition.table_class != table_class || definition.table_id != id) continue;
    if (body.size() != 16 + definition.symbols.size()) return false;
    return std::equal(definition.counts.begin(), definition.counts.end(), body.begin()) &&
           std::equal(definition.symbols.begin(), definition.symbols.end(), body.begin() + 16);
  }
  return false;
}

}  // namespace

JpegHeaderInfo ReadHeaderInfo(std::span<const uint8_t> jpeg) {
  JpegHeaderInfo info;
  if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) {
    info.problems.push_back("no start-of-image marker");
    return info;
  }
  size_t at = 2;
  while (at + 4 <= jpeg.size()) {
    if (jpeg[at] != 0xFF) {  // stray bytes between segments
      ++at;
      continue;
    }
    const uint8_t code = jpeg[at + 1];
    if (code == 0xFF) {
      ++at;
      continue;
    }
    if (code == 0xD9) break;
    const size_t length = static_cast<size_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
    if (length < 2 || at + 2 + length > jpeg.size()) {
      info.problems.push_back("segment runs past the end of the file");
      break;
    }
    const std::span<const uint8_t> body = jpeg.subspan(at + 4, length - 2);
    if (code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC) {
      info.frame_type = FrameName(code);
      if (body.size() >= 6) {
        info.precision = body[0];
        info.height = body[1] << 8 | body[2];
        info.width = body[3] << 8 | body[4];
        for (size_t i = 0; i < body[5] && 6 + 3 * i + 2 < body.size(); ++i) {
          const uint8_t* c = body.data() + 6 + 3 * i;
          info.components.push_back({c[0], c[1] >> 4, c[1] & 15, c[2]});
        }
      }
    } else if (code == 0xDB) {
      for (size_t t = 0; t < body.size();) {
        JpegQuantInfo table;
        table.id = body[t] & 15;
        table.precision_bits = (body[t] >> 4) ? 16 : 8;
        const size_t bytes = table.precision_bits == 16 ? 128 : 64;
        if (t + 1 + bytes > body.size()) break;
        for (size_t i = 0; i < 64; ++i) {
          table.values.push_back(table.precision_bits == 16
                                     ? body[t + 1 + 2 * i] << 8 | body[t + 2 + 2 * i]
                                     : body[t + 1 + i]);
        }
        info.quant_tables.push_back(table);
        t += 1 + bytes;
      }
    } else if (code == 0xC4) {
      for (size_t t = 0; t + 17 <= body.size();) {
        size_t count = 0;
        for (size_t i = 1; i <= 16; ++i) count += body[t + i];
        if (t + 17 + count > body.size()) break;
        JpegHuffmanInfo table{body[t] >> 4, body[t] & 15, static_cast<int>(count), false};
        table.standard = IsStandard(table.table_class, table.id, body.subspan(t + 1, 16 + count));
        info.huffman_tables.push_back(table);
        t += 17 + count;
      }
    } else if (code == 0xDD && body.size() >= 2) {
      info.restart_interval = body[0] << 8 | body[1];
    } else if (code == 0xDA) {
      break;  // the entropy-coded data follows
    }
    at += 2 + length;
  }
  if (info.frame_type.empty()) info.problems.push_back("no frame header");
  return info;
}

std::string SamplingName(const JpegHeaderInfo& info) {
  if (info.components.size() == 1) return "grey";
  if (info.components.size() == 3) {
    const auto& c = info.components;
    const bool chroma_1x1 = c[1].h == 1 && c[1].v == 1 && c[2].h == 1 && c[2].v == 1;
    if (chroma_1x1 && c[0].h == 1 && c[0].v == 1) return "4:4:4";
    if (chroma_1x1 && c[0].h == 2 && c[0].v == 1) return "4:2:2";
    if (chroma_1x1 && c[0].h == 2 && c[0].v == 2) return "4:2:0";
  }
  std::string name = "other (";
  for (size_t i = 0; i < info.components.size(); ++i) {
    if (i > 0) name.append(" ");
    name.append(std::to_string(info.components[i].h));
    name.append("x");
    name.append(std::to_string(info.components[i].v));
  }
  name.append(")");
  return name;
}

}  // namespace codec::tools
