// The yardstick the thumbnail benchmarks compare with: the JPEG library's
// bare 1/8 decode of a file held in memory, into blue-green-red rows.
#pragma once

#include <cstdint>
#include <vector>

// After the platform's headers: the JPEG library defines TRUE and FALSE as
// macros.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

// `rows` holds at least (width / 8) x (height / 8) x 3 bytes.
inline void DecodeEighth(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& rows) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = 8;
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row[1] = {rows.data() + info.output_scanline * info.output_width * 3};
    jpeg_read_scanlines(&info, row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}
