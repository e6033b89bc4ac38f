#include "card/rgb_image.h"

#include <memory>

#include "libjpeg_trap/error_trap.h"

namespace card {

std::optional<RgbImage> DecodeJpegToRgb(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return std::nullopt;
  jpeg_decompress_struct info;
  libjpeg_trap::ErrorTrap trap;
  info.err = trap.Install();
  // Allocated before the jump point, so the error path can find it.
  auto image = std::make_unique<RgbImage>();
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image->width = static_cast<int>(info.output_width);
  image->height = static_cast<int>(info.output_height);
  image->rgb.resize(static_cast<std::size_t>(image->width) * image->height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &image->rgb[static_cast<std::size_t>(info.output_scanline) * image->width * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return std::move(*image);
}

}  // namespace card
