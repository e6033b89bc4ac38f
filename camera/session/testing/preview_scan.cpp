#include "preview_scan.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cstdlib>

#include "camera/session/header_templates.h"

namespace camera::testing {

namespace {

// Zigzag position -> natural (row-major) position.
constexpr std::array<int, 64> kZigzagToNatural{
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The header's table `index` (0 luma, 1 chroma) in natural order.
std::array<unsigned int, 64> NaturalTable(int index) {
  const HeaderTemplate& header = LargeHeaderTemplate();
  const std::size_t start = index == 0 ? 7 : 72;
  std::array<unsigned int, 64> table{};
  for (int i = 0; i < 64; ++i) table[kZigzagToNatural[i]] = header[start + i];
  return table;
}

}  // namespace

std::vector<std::uint8_t> PictureScan(int width, int height, int luma_sampling,
                                      const std::vector<std::uint8_t>& rgb) {
  jpeg_compress_struct compressor;
  jpeg_error_mgr errors;
  compressor.err = jpeg_std_error(&errors);
  jpeg_create_compress(&compressor);
  unsigned char* memory = nullptr;
  unsigned long memory_size = 0;
  jpeg_mem_dest(&compressor, &memory, &memory_size);
  compressor.image_width = static_cast<JDIMENSION>(width);
  compressor.image_height = static_cast<JDIMENSION>(height);
  compressor.input_components = 3;
  compressor.in_color_space = JCS_RGB;
  jpeg_set_defaults(&compressor);
  const int luma = luma_sampling == 0x22 ? 2 : 1;
  compressor.comp_info[0].h_samp_factor = luma;
  compressor.comp_info[0].v_samp_factor = luma;
  for (int index = 0; index < 2; ++index) {
    const std::array<unsigned int, 64> table = NaturalTable(index);
    jpeg_add_quant_table(&compressor, index, table.data(), 100, TRUE);
  }
  jpeg_start_compress(&compressor, TRUE);
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
  std::vector<JSAMPLE> row(row_bytes);
  while (compressor.next_scanline < compressor.image_height) {
    const auto start =
        rgb.begin() + static_cast<std::ptrdiff_t>(compressor.next_scanline * row_bytes);
    std::copy(start, start + static_cast<std::ptrdiff_t>(row_bytes), row.begin());
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&compressor, rows, 1);
  }
  jpeg_finish_compress(&compressor);
  jpeg_destroy_compress(&compressor);

  // Everything behind the scan header.
  std::vector<std::uint8_t> scan;
  for (unsigned long i = 0; i + 3 < memory_size; ++i) {
    if (memory[i] == 0xFF && memory[i + 1] == 0xDA) {
      const unsigned long length = (memory[i + 2] << 8) | memory[i + 3];
      scan.assign(memory + i + 2 + length, memory + memory_size);
      break;
    }
  }
  std::free(memory);
  return scan;
}

std::vector<std::uint8_t> UniformScan(int width, int height, int luma_sampling, std::uint8_t red,
                                      std::uint8_t green, std::uint8_t blue) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    rgb[i] = red;
    rgb[i + 1] = green;
    rgb[i + 2] = blue;
  }
  return PictureScan(width, height, luma_sampling, rgb);
}

std::vector<std::uint8_t> TestCardPicture(int width, int height) {
  struct Block {
    int left, top, right, bottom;  // in eighths of the picture
    std::uint8_t red, green, blue;
  };
  constexpr Block kBlocks[] = {{1, 1, 3, 3, 220, 40, 40},
                               {5, 1, 7, 3, 40, 200, 60},
                               {1, 5, 3, 7, 50, 70, 220},
                               {5, 5, 7, 7, 240, 220, 60}};
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      pixel[0] = static_cast<std::uint8_t>(60 + 120 * x / width);
      pixel[1] = static_cast<std::uint8_t>(80 + 100 * y / height);
      pixel[2] = static_cast<std::uint8_t>(140 - 60 * x / width);
      for (const Block& block : kBlocks) {
        if (x * 8 >= block.left * width && x * 8 < block.right * width &&
            y * 8 >= block.top * height && y * 8 < block.bottom * height) {
          pixel[0] = block.red;
          pixel[1] = block.green;
          pixel[2] = block.blue;
        }
      }
    }
  }
  return rgb;
}

std::vector<std::uint8_t> PaddedTo(std::vector<std::uint8_t> scan, std::size_t size) {
  scan.resize(size, 0);
  return scan;
}

}  // namespace camera::testing
