// Reads a JPEG file's segments for `orsa-jpeg info`: frame, sampling,
// quantisation and Huffman tables, restart interval.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace codec::tools {

struct JpegComponentInfo {
  int id = 0, h = 0, v = 0, quant_table = 0;
};

struct JpegQuantInfo {
  int id = 0;
  int precision_bits = 8;
  std::vector<int> values;  // in stream (zigzag) order
};

struct JpegHuffmanInfo {
  int table_class = 0, id = 0, symbol_count = 0;
  bool standard = false;  // equal to the typical table of its kind
};

struct JpegHeaderInfo {
  std::string frame_type;  // e.g. "SOF0 baseline"
  int precision = 0, width = 0, height = 0;
  std::vector<JpegComponentInfo> components;
  std::vector<JpegQuantInfo> quant_tables;
  std::vector<JpegHuffmanInfo> huffman_tables;
  int restart_interval = 0;
  std::vector<std::string> problems;  // what stopped the reading early
};

JpegHeaderInfo ReadHeaderInfo(std::span<const uint8_t> jpeg);

// "4:4:4", "4:2:2", "4:2:0", "grey" or a description of other factors.
std::string SamplingName(const JpegHeaderInfo& info);

}  // namespace codec::tools
