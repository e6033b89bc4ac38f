// The decoder context: everything one decode reads and writes, in groups.
// The per-decode buffers are released when the decode returns, whatever the
// result.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "codec/jpeg_decoder.h"
#include "huffman_table.h"
#include "resampling.h"

namespace codec {

inline constexpr int kQuantTables = 4;
inline constexpr int kComponentIds = 8;
inline constexpr int kStatisticsSamples = 1200;

enum class SamplingKind : int8_t {
  kUnsupported = -1,
  k420 = 0,  // Y 2x2
  k422 = 1,  // Y 2x1
  k444 = 2,
  kGrey = 4,  // full-size modes only
};

using QuantTable = std::array<int32_t, 64>;  // natural (row-major) order

struct Component {
  bool in_frame = false;
  uint8_t h = 0;
  uint8_t v = 0;
  uint8_t quant_table = 0;
  uint8_t dc_table = 0;
  uint8_t ac_table = 0;
  int32_t dc_predictor = 0;
  size_t plane_offset = 0;  // into the plane buffer
  int plane_width = 0;      // pixels; also the line stride
  int plane_height = 0;     // lines the plane holds
};

struct FrameState {
  bool present = false;
  int width = 0;
  int height = 0;
  int component_count = 0;
  int base_id = 0;
  std::array<Component, kComponentIds> components{};
  int h_max = 1;
  int v_max = 1;
  int mcus_per_row = 0;
  int mcus_per_column = 0;
  int scaled_width = 0;  // MCU grid width / reduction
  int scaled_height = 0;
  int reduction = 1;
  SamplingKind sampling = SamplingKind::kUnsupported;
  int lines_per_mcu_row = 0;  // luma lines after reduction
};

struct OutputState {
  int mode = 0;
  JpegModeGeometry geometry;
  size_t size = 0;     // bytes the sink may receive
  size_t written = 0;  // bytes appended so far
  // Sampled decodes keep pixels (step x i, step x j). Unless the scan makes
  // only those (`presampled`), Append drops the others from the whole
  // picture's bytes, of which `passed` have gone by.
  int step = 1;
  bool presampled = false;
  size_t passed = 0;
};

struct StatisticsState {
  int option = 0;
  std::array<uint16_t, 4> grey_window{};
  std::array<std::array<uint8_t, kStatisticsSamples>, 3> samples{};
  std::array<int, 3> counts{};
  JpegStatistics result;
};

// Buffers that live for one decode.
struct DecodeBuffers {
  std::unique_ptr<uint8_t[]> planes;
  size_t plane_size = 0;
  std::unique_ptr<uint8_t[]> band;
  size_t band_size = 0;
};

// The public type is the context itself.
struct JpegDecoder {
  JpegCursors cursors;
  bool fast_three_quarter = true;
  HuffmanTableSet huffman;

  std::array<QuantTable, kQuantTables> quant{};
  int quant_table_count = 0;
  uint16_t restart_interval = 0;

  FrameState frame;
  OutputState output;
  ResamplingState resampling;
  StatisticsState statistics;
  DecodeBuffers buffers;

  // Appends `count` bytes (or that many zero bytes when `data` is null) to
  // the sink, never past the mode's output size. In a sampled decode the
  // bytes are the whole picture's and only the sampled pixels' are kept.
  void Append(const uint8_t* data, size_t count);
  // Appends black up to the end of the output.
  void AppendBlackToEnd();

 private:
  void AppendSampled(const uint8_t* data, size_t count);
};

}  // namespace codec
