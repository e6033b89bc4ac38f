// Pictures for the view's tests, written with the JPEG library: a colour
// pattern of a given size, optionally with an Exif block holding the
// camera's make and model and with a comment.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// After the platform's headers: the JPEG library defines TRUE and FALSE as
// macros.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace gallery::testing {

// "Exif", a little-endian TIFF header and one directory with Make "Orsa"
// and Model "Card".
inline std::vector<std::uint8_t> CameraExif() {
  const std::uint8_t block[] = {
      'E',  'x',  'i', 'f', 0, 0,                            // identifier
      'I',  'I',  42,  0,   8, 0,   0,   0,                  // TIFF header
      2,    0,                                               // two entries
      0x0F, 0x01, 2,   0,   5, 0,   0,   0,   38,  0, 0, 0,  // Make at 38
      0x10, 0x01, 2,   0,   5, 0,   0,   0,   43,  0, 0, 0,  // Model at 43
      0,    0,    0,   0,                                    // no next directory
      'O',  'r',  's', 'a', 0, 'C', 'a', 'r', 'd', 0};
  return {std::begin(block), std::end(block)};
}

struct PictureOptions {
  bool exif = false;
  std::string comment;  // bytes as stored
};

// Red rising to the right, green rising downwards, blue fixed: every
// quarter turn changes the pixels.
inline std::vector<std::uint8_t> EncodeTestJpeg(int width, int height,
                                                const PictureOptions& options = {}) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  if (options.exif) {
    const auto exif = CameraExif();
    jpeg_write_marker(&info, JPEG_APP0 + 1, exif.data(), static_cast<unsigned>(exif.size()));
  }
  if (!options.comment.empty()) {
    jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET*>(options.comment.data()),
                      static_cast<unsigned>(options.comment.size()));
  }
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < width; ++x) {
      row[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(x * 255 / width);
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(y * 255 / height);
      row[static_cast<std::size_t>(x) * 3 + 2] = 60;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// A small picture the view can show, as a file's bytes.
inline std::string SmallJpegFile() {
  const std::vector<std::uint8_t> bytes = EncodeTestJpeg(64, 48);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace gallery::testing
