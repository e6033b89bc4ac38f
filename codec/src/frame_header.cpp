// SOF0: the frame's size and components, the power-of-two reduction for the
// decode mode, the sampling kind, and the plane and band buffers.
#include <algorithm>
#include <cstdio>
#include <new>

#include "decode_steps.h"

namespace codec {
namespace {

struct ComponentSpec {
  uint32_t id, h, v, table;
};

// Only the layouts the converters know: three components with 1x1 chroma and
// luma 2x2, 2x1 or 1x1; one component (grey) where allowed.
SamplingKind Classify(const ComponentSpec* specs, int count) {
  if (count == 1) return SamplingKind::kGrey;
  if (count != 3) return SamplingKind::kUnsupported;
  for (int i = 1; i < 3; ++i) {
    if (specs[i].h != 1 || specs[i].v != 1) return SamplingKind::kUnsupported;
  }
  if (specs[0].h == 2 && specs[0].v == 2) return SamplingKind::k420;
  if (specs[0].h == 2 && specs[0].v == 1) return SamplingKind::k422;
  if (specs[0].h == 1 && specs[0].v == 1) return SamplingKind::k444;
  return SamplingKind::kUnsupported;
}

int ReductionFor(int width, int height, const JpegModeGeometry& output) {
  const int q = std::min(width / output.width, height / output.height);
  if (q < 2) return 1;
  if (q < 4) return 2;
  if (q < 8) return 4;
  return 8;
}

// The full-size modes enlarge a 160 x 120 picture and nothing else.
constexpr int kFullSizeWidth = 160;
constexpr int kFullSizeHeight = 120;

}  // namespace

JpegResult ParseFrameHeader(JpegDecoder& decoder, BitReader& reader) {
  decoder.frame = FrameState{};
  decoder.buffers = DecodeBuffers{};
  uint32_t length, precision, height, width, count;
  if (!reader.ReadSegmentWord(length) || !reader.ReadSegmentByte(precision)) return kJpegBadStream;
  if (precision != 8) {
    std::fputs("This decoder doesn't support 12 bit or 16 bit data\n", stdout);
    std::fflush(stdout);
    return kJpegSamplePrecision;
  }
  if (!reader.ReadSegmentWord(height) || !reader.ReadSegmentWord(width) ||
      !reader.ReadSegmentByte(count)) {
    return kJpegBadStream;
  }
  if (count > static_cast<uint32_t>(kComponentIds)) return kJpegUnsupported;
  ComponentSpec specs[kComponentIds];
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t factors;
    if (!reader.ReadSegmentByte(specs[i].id) || !reader.ReadSegmentByte(factors) ||
        !reader.ReadSegmentByte(specs[i].table)) {
      return kJpegBadStream;
    }
    specs[i].h = factors >> 4;
    specs[i].v = factors & 15;
    // Identifiers run on from the first one and index a store of eight.
    if (specs[i].id != specs[0].id + i || specs[i].id >= static_cast<uint32_t>(kComponentIds)) {
      return kJpegUnsupported;
    }
    if (specs[i].table >= static_cast<uint32_t>(kQuantTables)) return kJpegBadStream;
  }

  const JpegModeGeometry& output = decoder.output.geometry;
  const bool full_size = output.full_size;
  const SamplingKind sampling = Classify(specs, static_cast<int>(count));
  if (sampling == SamplingKind::kUnsupported || (sampling == SamplingKind::kGrey && !full_size) ||
      width == 0 || height == 0) {
    return kJpegUnsupported;
  }
  if (full_size && (width != kFullSizeWidth || height != kFullSizeHeight)) return kJpegUnsupported;

  FrameState& frame = decoder.frame;
  frame.width = static_cast<int>(width);
  frame.height = static_cast<int>(height);
  frame.component_count = static_cast<int>(count);
  frame.base_id = static_cast<int>(specs[0].id);
  frame.sampling = sampling;
  frame.h_max = sampling == SamplingKind::kGrey ? 1 : static_cast<int>(specs[0].h);
  frame.v_max = sampling == SamplingKind::kGrey ? 1 : static_cast<int>(specs[0].v);
  frame.reduction = full_size ? 1 : ReductionFor(frame.width, frame.height, output);
  frame.mcus_per_row = (frame.width + 8 * frame.h_max - 1) / (8 * frame.h_max);
  frame.mcus_per_column = (frame.height + 8 * frame.v_max - 1) / (8 * frame.v_max);
  frame.scaled_width = frame.mcus_per_row * 8 * frame.h_max / frame.reduction;
  frame.scaled_height = frame.mcus_per_column * 8 * frame.v_max / frame.reduction;

  // Planes one after another in identifier order: in the reducing modes one
  // MCU row (8 x V lines each), in the full-size modes the whole picture.
  size_t plane_size = 0;
  for (uint32_t i = 0; i < count; ++i) {
    Component& component = frame.components[specs[i].id];
    component.in_frame = true;
    component.h = static_cast<uint8_t>(sampling == SamplingKind::kGrey ? 1 : specs[i].h);
    component.v = static_cast<uint8_t>(sampling == SamplingKind::kGrey ? 1 : specs[i].v);
    component.quant_table = static_cast<uint8_t>(specs[i].table);
    component.plane_offset = plane_size;
    component.plane_width = component.h * frame.scaled_width / frame.h_max;
    component.plane_height =
        full_size ? component.v * frame.scaled_height / frame.v_max : 8 * component.v;
    plane_size += static_cast<size_t>(component.plane_width) * component.plane_height;
  }

  DecodeBuffers& buffers = decoder.buffers;
  buffers.planes.reset(new (std::nothrow) uint8_t[plane_size]());
  if (!buffers.planes) return kJpegNoMemory;
  buffers.plane_size = plane_size;
  buffers.band_size =
      full_size ? static_cast<size_t>(output.width) * output.height
                : static_cast<size_t>(8 * frame.v_max) * output.width * output.bytes_per_pixel;
  buffers.band.reset(new (std::nothrow) uint8_t[buffers.band_size]);
  if (!buffers.band) return kJpegNoMemory;
  frame.present = true;
  return kJpegOk;
}

}  // namespace codec
