#include "scan_compressor.h"

#include <algorithm>
#include <cstdlib>

#include "card/quantiser_codes.h"
#include "libjpeg_trap/error_trap.h"
#include "raw_capture.h"

namespace card::internal {

namespace {

constexpr int kLargestSide = 4096;

// Position in the 8x8 block of each zig-zag index.
constexpr int kNaturalOrder[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                   12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                   35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                   58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The raw frame seen as colour: interpolated from the filter pattern.
class RawView {
 public:
  RawView(const FrameMemory& memory, const CompressionJob& job)
      : data_(memory.Range(job.source, static_cast<std::size_t>(job.line_width) * job.raw_height)),
        width_(job.line_width),
        height_(job.raw_height) {}

  int At(int x, int y) const {
    x = std::clamp(x, 0, width_ - 1);
    y = std::clamp(y, 0, height_ - 1);
    const std::size_t offset = static_cast<std::size_t>(y) * width_ + x;
    return offset < data_.size() ? data_[offset] : 0;
  }

  // Blue, green and red at one raw pixel from its neighbours.
  void Interpolate(int x, int y, int* bgr) const {
    const int colour = BayerColour(x, y);
    const int here = At(x, y);
    const int cross = (At(x - 1, y) + At(x + 1, y) + At(x, y - 1) + At(x, y + 1) + 2) / 4;
    const int diagonal =
        (At(x - 1, y - 1) + At(x + 1, y - 1) + At(x - 1, y + 1) + At(x + 1, y + 1) + 2) / 4;
    if (colour == 0) {
      bgr[0] = here, bgr[1] = cross, bgr[2] = diagonal;
    } else if (colour == 2) {
      bgr[0] = diagonal, bgr[1] = cross, bgr[2] = here;
    } else {
      const int across = (At(x - 1, y) + At(x + 1, y) + 1) / 2;
      const int down = (At(x, y - 1) + At(x, y + 1) + 1) / 2;
      // On a blue row the neighbours left and right are blue.
      const bool blue_row = (y & 1) == 0;
      bgr[1] = here;
      bgr[0] = blue_row ? across : down;
      bgr[2] = blue_row ? down : across;
    }
  }

  // A 2x2 cell whose top left is blue: one pixel of half size.
  void Cell(int x, int y, int* bgr) const {
    bgr[0] = At(x, y);
    bgr[1] = (At(x + 1, y) + At(x, y + 1) + 1) / 2;
    bgr[2] = At(x + 1, y + 1);
  }

 private:
  std::span<const std::uint8_t> data_;
  int width_;
  int height_;
};

// Full-range colour conversion as in the JPEG file interchange format.
void ToYCbCr(const int* bgr, const CompressionJob& job, std::uint8_t* ycc) {
  const int b = bgr[0], g = bgr[1], r = bgr[2];
  ycc[0] = static_cast<std::uint8_t>((19595 * r + 38470 * g + 7471 * b + 32768) >> 16);
  if (job.monochrome) {
    ycc[1] = job.fixed_blue_difference;
    ycc[2] = job.fixed_red_difference;
    return;
  }
  ycc[1] = static_cast<std::uint8_t>(
      std::clamp((-11059 * r - 21709 * g + 32768 * b + (128 << 16) + 32768) >> 16, 0, 255));
  ycc[2] = static_cast<std::uint8_t>(
      std::clamp((32768 * r - 27439 * g - 5329 * b + (128 << 16) + 32768) >> 16, 0, 255));
}

// The picture in YCbCr, width x height, scaled from the raw frame's
// active part and extended at the edges to the scan's size.
std::vector<std::uint8_t> Picture(const CompressionJob& job, const FrameMemory& memory, int width,
                                  int height) {
  const RawView raw(memory, job);
  const int left = job.margin_x / 2;
  const int top = job.margin_y / 2;
  const int active_width = std::max(job.line_width - job.margin_x, 1);
  const int active_height = std::max(job.raw_height - job.margin_y, 1);
  const bool halves = active_width == 2 * job.output_width &&
                      active_height == 2 * job.output_height && left % 2 == 0 && top % 2 == 0;
  std::vector<std::uint8_t> ycc(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const int out_y = std::min(y, job.output_height - 1);
    for (int x = 0; x < width; ++x) {
      const int out_x = std::min(x, job.output_width - 1);
      int bgr[3];
      if (halves) {
        raw.Cell(left + 2 * out_x, top + 2 * out_y, bgr);
      } else {
        raw.Interpolate(left + out_x * active_width / job.output_width,
                        top + out_y * active_height / job.output_height, bgr);
      }
      ToYCbCr(bgr, job, &ycc[(static_cast<std::size_t>(y) * width + x) * 3]);
    }
  }
  return ycc;
}

// The output buffer is kept beside the trap, where a long jump cannot lose
// it.
struct CompressionTrap {
  libjpeg_trap::ErrorTrap trap;
  unsigned char* output = nullptr;
  unsigned long output_size = 0;
};

// Compresses with libjpeg-turbo; the whole file, or empty on failure.
std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& ycc, int width, int height,
                                 const CompressionJob& job) {
  const QuantiserTables steps = StepsOfCodes(job.quantiser_codes);
  unsigned int tables[2][64];
  for (int i = 0; i < 64; ++i) {
    // The uploaded order is the zig-zag order; libjpeg takes natural order.
    tables[0][kNaturalOrder[i]] = steps.luminance[i];
    tables[1][kNaturalOrder[i]] = steps.chrominance[i];
  }
  jpeg_compress_struct info;
  CompressionTrap errors;
  info.err = errors.trap.Install();
  if (setjmp(errors.trap.jump)) {
    jpeg_destroy_compress(&info);
    std::free(errors.output);
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &errors.output, &errors.output_size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_YCbCr;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, JCS_YCbCr);
  info.write_JFIF_header = FALSE;
  info.optimize_coding = FALSE;
  info.dct_method = JDCT_ISLOW;
  const int luma_sampling = job.full_chroma ? 1 : 2;
  info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = luma_sampling;
  for (int c = 1; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  jpeg_add_quant_table(&info, 0, tables[0], 100, TRUE);
  jpeg_add_quant_table(&info, 1, tables[1], 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(&ycc[static_cast<std::size_t>(info.next_scanline) * width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> file(errors.output, errors.output + errors.output_size);
  jpeg_destroy_compress(&info);
  std::free(errors.output);
  return file;
}

// The entropy-coded scan and the end marker: everything after the scan
// header.
std::vector<std::uint8_t> ScanOf(const std::vector<std::uint8_t>& file) {
  for (std::size_t i = 2; i + 3 < file.size();) {
    if (file[i] != 0xFF) return {};
    const std::uint8_t marker = file[i + 1];
    const std::size_t length = file[i + 2] << 8 | file[i + 3];
    if (marker == 0xDA)
      return {file.begin() + static_cast<std::ptrdiff_t>(i + 2 + length), file.end()};
    i += 2 + length;
  }
  return {};
}

}  // namespace

std::vector<std::uint8_t> CompressScan(const CompressionJob& job, const FrameMemory& memory) {
  if (job.output_width <= 0 || job.output_height <= 0 || job.line_width <= 0 ||
      job.raw_height <= 0 || job.output_width > kLargestSide || job.output_height > kLargestSide) {
    return {};
  }
  const int block = job.full_chroma ? 8 : 16;
  const int width = std::clamp((job.grid_columns + 1) * block, block, kLargestSide);
  const int height = std::clamp((job.grid_rows + 1) * block, block, kLargestSide);
  std::vector<std::uint8_t> scan =
      ScanOf(Encode(Picture(job, memory, width, height), width, height, job));
  if (scan.size() % 2) scan.push_back(0);  // the module writes whole words
  return scan;
}

}  // namespace card::internal
