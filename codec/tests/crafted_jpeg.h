// Hand-made baseline images for tests that need exact control over segments
// and entropy-coded symbols: a 3-component 4:4:4 picture with all-ones
// quantisation tables and the standard Huffman codes.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "codec/standard_huffman_tables.h"

namespace codec::testing {

// Writes Huffman symbols and extra bits MSB first, with byte stuffing.
class ScanWriter {
 public:
  ScanWriter() {
    const auto tables = StandardHuffmanTables();
    for (size_t t = 0; t < 4; ++t) {
      uint32_t code = 0;
      size_t index = 0;
      for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < tables[t].counts[length - 1]; ++i, ++index, ++code) {
          codes_[t][tables[t].symbols[index]] = {code, length};
        }
        code <<= 1;
      }
    }
  }

  // `table`: 0/1 DC luminance/chrominance, 2/3 AC luminance/chrominance.
  void Symbol(int table, uint8_t symbol) {
    const auto [code, length] = codes_[table][symbol];
    Bits(code, length);
  }
  void Dc(int table, int value) {
    const int size = SizeOf(value);
    Symbol(table, static_cast<uint8_t>(size));
    Bits(Magnitude(value, size), size);
  }
  void Ac(int table, int run, int value) {
    const int size = SizeOf(value);
    Symbol(table, static_cast<uint8_t>(run << 4 | size));
    Bits(Magnitude(value, size), size);
  }
  void EndOfBlock(int table) { Symbol(table, 0x00); }

  void Bits(uint32_t bits, int count) {
    for (int i = count - 1; i >= 0; --i) {
      current_ = static_cast<uint8_t>(current_ << 1 | ((bits >> i) & 1));
      if (++filled_ == 8) Emit();
    }
  }
  // Pads the last byte with 1 bits.
  std::vector<uint8_t> Finish() {
    while (filled_ != 0) Bits(1, 1);
    return bytes_;
  }
  void RawMarker(uint8_t code) {
    Finish();
    bytes_.push_back(0xFF);
    bytes_.push_back(code);
  }

 private:
  struct Code {
    uint32_t code = 0;
    int length = 0;
  };
  static int SizeOf(int value) {
    int size = 0;
    for (int magnitude = value < 0 ? -value : value; magnitude != 0; magnitude >>= 1) ++size;
    return size;
  }
  static uint32_t Magnitude(int value, int size) {
    return static_cast<uint32_t>(value >= 0 ? value : value + (1 << size) - 1);
  }
  void Emit() {
    bytes_.push_back(current_);
    if (current_ == 0xFF) bytes_.push_back(0x00);
    current_ = 0;
    filled_ = 0;
  }
  std::array<std::array<Code, 256>, 4> codes_{};
  std::vector<uint8_t> bytes_;
  uint8_t current_ = 0;
  int filled_ = 0;
};

struct CraftedFrame {
  int width = 8;
  int height = 8;
  int precision = 8;
  std::array<uint8_t, 3> ids = {1, 2, 3};
  std::array<uint8_t, 3> quant_tables = {0, 1, 1};
  std::array<uint8_t, 3> selectors = {0x00, 0x11, 0x11};
  uint8_t dqt_id_luma = 0;
  uint8_t spectral_start = 0;
  uint8_t spectral_end = 63;
  uint8_t approximation = 0;
};

// One block per component per MCU, each a flat grey 8x8 block unless
// `write_scan` says otherwise.
inline std::vector<uint8_t> CraftJpeg(const CraftedFrame& frame,
                                      const std::function<void(ScanWriter&)>& write_scan) {
  std::vector<uint8_t> out = {0xFF, 0xD8};
  for (uint8_t id : {frame.dqt_id_luma, uint8_t{1}}) {
    out.insert(out.end(), {0xFF, 0xDB, 0x00, 0x43, id});
    out.insert(out.end(), 64, 1);
  }
  out.insert(out.end(),
             {0xFF, 0xC0, 0x00, 0x11, static_cast<uint8_t>(frame.precision),
              static_cast<uint8_t>(frame.height >> 8), static_cast<uint8_t>(frame.height),
              static_cast<uint8_t>(frame.width >> 8), static_cast<uint8_t>(frame.width), 0x03});
  for (int i = 0; i < 3; ++i) out.insert(out.end(), {frame.ids[i], 0x11, frame.quant_tables[i]});
  out.insert(out.end(), {0xFF, 0xDA, 0x00, 0x0C, 0x03});
  for (int i = 0; i < 3; ++i) out.insert(out.end(), {frame.ids[i], frame.selectors[i]});
  out.insert(out.end(), {frame.spectral_start, frame.spectral_end, frame.approximation});
  ScanWriter writer;
  write_scan(writer);
  const std::vector<uint8_t> scan = writer.Finish();
  out.insert(out.end(), scan.begin(), scan.end());
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

// A scan of flat blocks (DC difference 0, end of block) for every MCU.
inline std::function<void(ScanWriter&)> FlatScan(int mcus) {
  return [mcus](ScanWriter& writer) {
    for (int m = 0; m < mcus; ++m) {
      for (int c = 0; c < 3; ++c) {
        writer.Dc(c == 0 ? 0 : 1, 0);
        writer.EndOfBlock(c == 0 ? 2 : 3);
      }
    }
  };
}

}  // namespace codec::testing
