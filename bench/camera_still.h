// What the benchmarks of camera stills share: a 1280 x 960 picture like
// the camera's (smooth gradients with fine detail, 4:2:0, quality 85),
// written by the JPEG library, stills of it put on the current handheld,
// and the JPEG library's bare decode of one from memory.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"

// Include it after the platform's headers: the JPEG library defines TRUE
// and FALSE as macros.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace bench {

inline std::vector<std::uint8_t> CameraPicture(int seed) {
  constexpr int kWidth = 1280, kHeight = 960;
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(kWidth * 3);
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < kWidth; ++x) {
      const int texture = ((x * 7 + y * 3 + seed * 11) % 23) * 3;
      row[x * 3] = static_cast<std::uint8_t>((x * 200 / kWidth + texture) & 0xFF);
      row[x * 3 + 1] = static_cast<std::uint8_t>((y * 180 / kHeight + texture + seed * 30) & 0xFF);
      row[x * 3 + 2] =
          static_cast<std::uint8_t>(((x + y) * 120 / (kWidth + kHeight) + texture) & 0xFF);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> result(buffer, buffer + size);
  std::free(buffer);
  return result;
}

// `count` stills, "\My Documents\snap0001.jpg" and on, on the current
// handheld; their bytes in `files`.
struct CameraStills {
  std::vector<std::vector<std::uint8_t>> files;
  std::vector<std::string> paths;
};
inline CameraStills PutCameraStills(int count) {
  CameraStills stills;
  for (int i = 0; i < count; ++i) {
    stills.files.push_back(CameraPicture(i));
    stills.paths.push_back("\\My Documents\\snap000" + std::to_string(i + 1) + ".jpg");
    platform::FileHandle file = platform::CreateFile(stills.paths.back(), platform::GENERIC_WRITE,
                                                     0, platform::CREATE_ALWAYS);
    platform::DWORD written = 0;
    platform::WriteFile(file, stills.files.back().data(),
                        static_cast<platform::DWORD>(stills.files.back().size()), &written);
    platform::CloseFile(file);
  }
  return stills;
}

// Decodes `bytes` at 1 / `scale_denom` of its size into `rows` (blue,
// green, red, large enough), as bare as the JPEG library allows.
inline void BareDecode(const std::vector<std::uint8_t>& bytes, unsigned scale_denom,
                       std::vector<std::uint8_t>* rows) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = scale_denom;
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row[1] = {rows->data() + info.output_scanline * info.output_width * 3};
    jpeg_read_scanlines(&info, row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

}  // namespace bench
