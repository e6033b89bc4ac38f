// SOS: the scan header, the preparation of a reducing scan (inverse DCT,
// resampling, top margin) and the MCU loop with restart handling. After each
// MCU row the planes go through the band converter and the band is appended;
// in the full-size modes the whole picture stays in the planes until EOI.
#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "corner_sample.h"
#include "decode_steps.h"
#include "entropy_decoder.h"
#include "sampled_scan.h"
#include "statistics.h"

namespace codec {
namespace {

struct ScanComponent {
  Component* component;
  const HuffmanDecodingTable* dc_table;
  const HuffmanDecodingTable* ac_table;
  const int32_t* quant;  // natural order
  size_t row_offset[2];  // the block row pointers, as offsets into the planes
  // In a sampled scan, the lines and columns of each block transformed.
  uint8_t sample_rows = 0xFF;
  uint8_t sample_columns = 0xFF;
};

struct Scan {
  int count = 0;
  ScanComponent components[kComponentIds];
  InverseDct idct = nullptr;
  int edge = 8;
  bool sampled = false;  // only the sampled pixels' samples are transformed
};

JpegResult ReadScanHeader(JpegDecoder& decoder, BitReader& reader, Scan& scan) {
  const FrameState& frame = decoder.frame;
  uint32_t length, count;
  if (!reader.ReadSegmentWord(length) || !reader.ReadSegmentByte(count)) return kJpegBadStream;
  // One interleaved scan holding every component of the frame, in order.
  if (count != static_cast<uint32_t>(frame.component_count)) return kJpegUnsupported;
  scan.count = static_cast<int>(count);
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t id, selectors;
    if (!reader.ReadSegmentByte(id) || !reader.ReadSegmentByte(selectors)) return kJpegBadStream;
    if (id != static_cast<uint32_t>(frame.base_id) + i) return kJpegUnsupported;
    const uint32_t dc = selectors >> 4;
    const uint32_t ac = selectors & 15;
    // Two DC and two AC tables exist.
    if (dc > 1 || ac > 1) return kJpegBadStream;
    Component& component = decoder.frame.components[id];
    component.dc_table = static_cast<uint8_t>(dc);
    component.ac_table = static_cast<uint8_t>(ac);
    component.dc_predictor = 0;
    scan.components[i].component = &component;
    scan.components[i].dc_table = &decoder.huffman[dc];
    scan.components[i].ac_table = &decoder.huffman[kAcTableBase + ac];
    scan.components[i].quant = decoder.quant[component.quant_table].data();
  }
  uint32_t start, end, approximation;
  if (!reader.ReadSegmentByte(start) || !reader.ReadSegmentByte(end) ||
      !reader.ReadSegmentByte(approximation)) {
    return kJpegBadStream;
  }
  if (start != 0) return kJpegBadSpectralStart;
  if (end != 63) return kJpegBadSpectralEnd;
  if (approximation != 0) return kJpegBadApproximation;
  return kJpegOk;
}

ChromaLayout LayoutOf(SamplingKind sampling) {
  switch (sampling) {
    case SamplingKind::k420:
      return ChromaLayout::k420;
    case SamplingKind::k422:
      return ChromaLayout::k422;
    default:
      return ChromaLayout::k444;
  }
}

// Inverse DCT, resampling set-up and top margin of a reducing scan.
JpegResult PrepareReducingScan(JpegDecoder& decoder, Scan& scan) {
  FrameState& frame = decoder.frame;
  const OutputState& output = decoder.output;
  switch (frame.reduction) {
    case 1:
      scan.idct = InverseDct8x8, scan.edge = 8;
      break;
    case 2:
      scan.idct = InverseDct4x4, scan.edge = 4;
      break;
    case 4:
      scan.idct = InverseDct2x2, scan.edge = 2;
      break;
    case 8:
      scan.idct = InverseDctDcOnly, scan.edge = 1;
      break;
    default:
      return kJpegBadReduction;
  }
  frame.lines_per_mcu_row = 8 * frame.v_max / frame.reduction;

  ResamplingSetup setup;
  setup.scaled_width = frame.scaled_width;
  setup.scaled_height = frame.scaled_height;
  setup.output_width = output.geometry.width;
  setup.output_height = output.geometry.height;
  setup.bytes_per_pixel = output.geometry.bytes_per_pixel;
  setup.reduction = frame.reduction;
  setup.chroma = LayoutOf(frame.sampling);
  setup.fast_three_quarter = decoder.fast_three_quarter;
  ResamplingState& resampling = decoder.resampling;
  SetUpResampling(setup, resampling);
  // The 80 x 60 modes have no resampling converter below the 1/8 reduction.
  if (!resampling.exact_fit && frame.reduction != 8 && (output.mode == 4 || output.mode == 11)) {
    return kJpegUnsupported;
  }
  decoder.Append(nullptr, static_cast<size_t>(resampling.top_margin) * output.geometry.width *
                              output.geometry.bytes_per_pixel);
  return kJpegOk;
}

void ConvertRow(JpegDecoder& decoder) {
  const FrameState& frame = decoder.frame;
  const Component& y = frame.components[frame.base_id];
  const Component& cb = frame.components[frame.base_id + 1];
  const Component& cr = frame.components[frame.base_id + 2];
  uint8_t* planes = decoder.buffers.planes.get();
  const BandInput in{planes + y.plane_offset,  y.plane_width,  planes + cb.plane_offset,
                     planes + cr.plane_offset, cb.plane_width, frame.lines_per_mcu_row};
  ResamplingState& resampling = decoder.resampling;
  resampling.last_band_bytes = resampling.converter(in, resampling, decoder.buffers.band.get());
  decoder.Append(decoder.buffers.band.get(), resampling.last_band_bytes);
}

// Clears the lines that may hold a coefficient: the shape covers every one
// stored.
void ClearBlock(int32_t* block, BlockShape shape) {
  for (unsigned lines = shape.lines; lines != 0; lines &= lines - 1) {
    std::memset(block + 8 * std::countr_zero(lines), 0, 8 * sizeof(int32_t));
  }
}

// Blocks of the 8x8 transform gathered so that they go through it together
// (their coefficients are read back well after the entropy decoder wrote
// them); their coefficient slots are all zero when handed out. In a sampled
// scan each block gives only the samples at its lines and columns.
class BlockBatch {
 public:
  explicit BlockBatch(bool sampled) : sampled_(sampled) {}
  int32_t* NextCoefficients() { return coefficients_[count_]; }
  // Queues the block just decoded into NextCoefficients().
  void Add(BlockShape shape, uint8_t* out, int stride, uint8_t rows, uint8_t columns) {
    if (sampled_ && shape.OnlyDc()) {
      // A flat block's samples come from its DC term alone: no need to wait.
      InverseDct8x8Samples(coefficients_[count_], shape, rows, columns, out, stride);
      coefficients_[count_][0] = 0;
      return;
    }
    pending_[count_] = {coefficients_[count_], shape, out, stride};
    samples_[count_] = {rows, columns};
    if (++count_ == kCapacity) Flush();
  }
  // Transforms every queued block into the planes.
  void Flush() {
    if (sampled_) {
      for (int i = 0; i < count_; ++i) {
        const PendingBlock& block = pending_[i];
        InverseDct8x8Samples(block.coefficients, block.shape, samples_[i].rows, samples_[i].columns,
                             block.out, block.stride);
      }
    } else {
      InverseDct8x8Blocks(pending_, count_);
    }
    for (int i = 0; i < count_; ++i) ClearBlock(coefficients_[i], pending_[i].shape);
    count_ = 0;
  }

 private:
  static constexpr int kCapacity = 32;
  struct Samples {
    uint8_t rows, columns;
  };
  alignas(64) int32_t coefficients_[kCapacity][64] = {};
  PendingBlock pending_[kCapacity];
  Samples samples_[kCapacity];
  int count_ = 0;
  bool sampled_;
};

// At a restart point: an RSTn marker is taken and the predictors cleared;
// any other marker ends the scan with kJpegMarkerInScan.
JpegResult HandleRestart(BitReader& reader, Scan& scan) {
  reader.Align();
  if (!reader.Need(8)) return kJpegBadStream;
  if (reader.Peek(8) != 0xFF) return kJpegOk;
  reader.Drop(8);
  if (!reader.Need(8)) return kJpegBadStream;
  if ((reader.Peek(8) & 0xF8) != 0xD0) return kJpegMarkerInScan;
  reader.Drop(8);
  for (int i = 0; i < scan.count; ++i) scan.components[i].component->dc_predictor = 0;
  return kJpegOk;
}

// An encoder may close the last interval with a restart marker too: it is
// taken, so that the scan ends normally.
void TakeRestartAfterLastMcu(BitReader& reader) {
  reader.Align();
  if (reader.Need(16) && (reader.Peek(16) & 0xFFF8) == 0xFFD0) reader.Drop(16);
}

[[gnu::always_inline]] inline JpegResult DecodeBlockOf(BitReader& reader, ScanComponent& sc,
                                                       auto& coefficients) {
  return DecodeBlock(reader, *sc.dc_table, *sc.ac_table, sc.component->dc_predictor, coefficients);
}

// How a scan's blocks reach the planes. Each kind decodes one block into
// `out` (the block's place in its plane), perhaps later: Flush() must have
// run before the planes are read.

// One block at a time through the scan's transform, as the statistics need
// (they read each block's first sample right after its transform).
// `Coefficients` is NaturalOrderBlock, or DcOfBlock for the DC-only
// transform.
template <class Coefficients>
class BlocksOneByOne {
 public:
  BlocksOneByOne(const Scan& scan, JpegDecoder& decoder)
      : idct_(scan.idct), statistics_(decoder.statistics), base_id_(decoder.frame.base_id) {}
  JpegResult Decode(BitReader& reader, int index, ScanComponent& sc, uint8_t* out) {
    Coefficients coefficients{block_, sc.quant};
    const JpegResult result = DecodeBlockOf(reader, sc, coefficients);
    if (result != kJpegOk) return result;
    const BlockShape shape = coefficients.Shape();
    idct_(block_, shape, out, sc.component->plane_width);
    ClearBlock(block_, shape);
    if (statistics_.option != 0) KeepStatisticsSample(statistics_, base_id_ + index, *out);
    return kJpegOk;
  }
  void Flush() {}

 private:
  InverseDct idct_;
  StatisticsState& statistics_;
  int base_id_;
  alignas(64) int32_t block_[64] = {};
};

// The 8x8 transform's blocks gathered in a BlockBatch.
class BatchedBlocks {
 public:
  explicit BatchedBlocks(const Scan& scan) : batch_(scan.sampled) {}
  JpegResult Decode(BitReader& reader, int, ScanComponent& sc, uint8_t* out) {
    NaturalOrderBlock coefficients{batch_.NextCoefficients(), sc.quant};
    const JpegResult result = DecodeBlockOf(reader, sc, coefficients);
    if (result != kJpegOk) {
      batch_.Flush();
      return result;
    }
    batch_.Add(coefficients.Shape(), out, sc.component->plane_width, sc.sample_rows,
               sc.sample_columns);
    return kJpegOk;
  }
  void Flush() { batch_.Flush(); }

 private:
  BlockBatch batch_;
};

// Whether a sampled scan's pixels read each block of the component at line
// 0, column 0 only.
bool ReadsCornerOnly(const ScanComponent& sc) {
  return sc.sample_rows == 1 && sc.sample_columns == 1;
}

// A sampled scan: the blocks of a component read at line 0, column 0 only
// (every component of a 4:4:4 frame, the luma of the others, at 240 x 180
// every sixth pixel) give that one sample, gathered as the coefficients are
// decoded; with kSomeBatched the other components' blocks are batched.
template <bool kSomeBatched>
class SampledBlocks {
 public:
  explicit SampledBlocks(const Scan& scan) {
    if constexpr (kSomeBatched) batched_.emplace(scan);
    for (int i = 0; i < scan.count; ++i) {
      const ScanComponent& sc = scan.components[i];
      corners_[i] = ReadsCornerOnly(sc);
      if (corners_[i]) terms_[i] = MakeCornerTerms(sc.quant);
    }
  }
  JpegResult Decode(BitReader& reader, int index, ScanComponent& sc, uint8_t* out) {
    if constexpr (kSomeBatched) {
      if (!corners_[index]) return batched_->Decode(reader, index, sc, out);
    }
    sample_.Start(terms_[index]);
    const JpegResult result = DecodeBlockOf(reader, sc, sample_);
    if (result == kJpegOk) {
      *out = sample_.Take();
    } else {
      Flush();
    }
    return result;
  }
  void Flush() {
    if constexpr (kSomeBatched) batched_->Flush();
  }

 private:
  std::optional<BatchedBlocks> batched_;
  CornerSample sample_;
  std::array<bool, kComponentIds> corners_{};
  std::array<CornerTerms, kComponentIds> terms_;
};

// The MCU loop; `blocks` decodes each block into its place in the planes.
template <class Blocks>
JpegResult RunMcuLoop(JpegDecoder& decoder, BitReader& reader, Scan& scan, Blocks& blocks) {
  const FrameState& frame = decoder.frame;
  const bool full_size = decoder.output.geometry.full_size;
  const int rows = frame.mcus_per_column;
  const int columns = frame.mcus_per_row;
  uint8_t* planes = decoder.buffers.planes.get();
  int restart_count = 0;

  for (int row = 0; row < rows; ++row) {
    for (int i = 0; i < scan.count; ++i) {
      ScanComponent& sc = scan.components[i];
      const Component& c = *sc.component;
      const size_t stride = static_cast<size_t>(c.plane_width);
      sc.row_offset[0] = c.plane_offset + (full_size ? row * c.v * 8 * stride : 0);
      sc.row_offset[1] = sc.row_offset[0] + stride * scan.edge;
    }
    for (int column = 0; column < columns; ++column) {
      for (int i = 0; i < scan.count; ++i) {
        ScanComponent& sc = scan.components[i];
        const Component& c = *sc.component;
        for (int v = 0; v < c.v; ++v) {
          for (int h = 0; h < c.h; ++h) {
            const JpegResult result = blocks.Decode(reader, i, sc, planes + sc.row_offset[v]);
            if (result != kJpegOk) return result;
            sc.row_offset[v] += static_cast<size_t>(scan.edge);
          }
        }
      }
      if (decoder.restart_interval != 0 && ++restart_count == decoder.restart_interval) {
        restart_count = 0;
        // A marker after the last MCU is taken when the scan ends.
        const bool last_mcu = row == rows - 1 && column == columns - 1;
        if (!last_mcu) {
          const JpegResult result = HandleRestart(reader, scan);
          if (result != kJpegOk) blocks.Flush();
          if (result == kJpegMarkerInScan && column == columns - 1 && !full_size) {
            ConvertRow(decoder);  // the row is complete
          }
          if (result != kJpegOk) return result;
        }
      }
    }
    blocks.Flush();
    if (!full_size) ConvertRow(decoder);
  }
  return kJpegOk;
}

// A sampled decode transforms only what its pixels read where it can.
void SetUpSampling(JpegDecoder& decoder, Scan& scan) {
  SampledBlockPositions positions;
  if (!SetUpSampledScan(decoder, LayoutOf(decoder.frame.sampling), positions)) return;
  scan.sampled = true;
  for (int i = 0; i < scan.count; ++i) {
    const bool luma = i == 0;
    scan.components[i].sample_rows = luma ? positions.luma_rows : positions.chroma_rows;
    scan.components[i].sample_columns = luma ? positions.luma_columns : positions.chroma_columns;
  }
}

// Kept out of line: the thumbnails of 4:4:4 frames and whole decodes run
// the other MCU loops, which lose speed when this one is placed among them.
[[gnu::noinline]] JpegResult RunMixedSampledScan(JpegDecoder& decoder, BitReader& reader,
                                                 Scan& scan) {
  SampledBlocks<true> blocks(scan);
  return RunMcuLoop(decoder, reader, scan, blocks);
}

}  // namespace

JpegResult DecodeScan(JpegDecoder& decoder, BitReader& reader) {
  if (!decoder.frame.present) return kJpegBadStream;
  Scan scan;
  JpegResult result = kJpegOk;
  if (decoder.output.geometry.full_size) {
    scan.idct = InverseDct8x8;
    scan.edge = 8;
    decoder.frame.lines_per_mcu_row = 8 * decoder.frame.v_max;
    result = ReadScanHeader(decoder, reader, scan);
  } else if (decoder.frame.reduction == 8) {
    result = ReadScanHeader(decoder, reader, scan);
    if (result == kJpegOk) result = PrepareReducingScan(decoder, scan);
  } else {
    result = PrepareReducingScan(decoder, scan);
    if (result == kJpegOk) result = ReadScanHeader(decoder, reader, scan);
  }
  if (result != kJpegOk) return result;

  if (!decoder.output.geometry.full_size) SetUpSampling(decoder, scan);
  if (scan.edge == 1) {
    BlocksOneByOne<DcOfBlock> blocks(scan, decoder);
    result = RunMcuLoop(decoder, reader, scan, blocks);
  } else if (scan.sampled &&
             std::all_of(scan.components, scan.components + scan.count, ReadsCornerOnly)) {
    SampledBlocks<false> blocks(scan);
    result = RunMcuLoop(decoder, reader, scan, blocks);
  } else if (scan.sampled) {
    result = RunMixedSampledScan(decoder, reader, scan);
  } else if (scan.idct == InverseDct8x8 && decoder.statistics.option == 0) {
    BatchedBlocks blocks(scan);
    result = RunMcuLoop(decoder, reader, scan, blocks);
  } else {
    BlocksOneByOne<NaturalOrderBlock> blocks(scan, decoder);
    result = RunMcuLoop(decoder, reader, scan, blocks);
  }
  if (scan.sampled) EndSampledScan(decoder);
  if (result != kJpegOk) return result;
  if (decoder.restart_interval != 0) TakeRestartAfterLastMcu(reader);
  if (!decoder.output.geometry.full_size) {
    // Bottom margin: the rest of the output is black.
    decoder.AppendBlackToEnd();
  }
  reader.Align();
  return kJpegOk;
}

}  // namespace codec
