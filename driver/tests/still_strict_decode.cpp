#include "still_strict_decode.h"

#include "libjpeg_trap/error_trap.h"

namespace orsadrv::testing {

StrictDecode DecodeStrictly(const std::vector<std::uint8_t>& file) {
  jpeg_decompress_struct info;
  libjpeg_trap::ErrorTrap trap;
  info.err = trap.Install();
  StrictDecode result;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&info);
    return result;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  std::vector<JSAMPLE> line(static_cast<std::size_t>(info.output_width) * info.output_components);
  JSAMPROW row = line.data();
  while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, &row, 1);
  jpeg_finish_decompress(&info);
  result.decoded = true;
  result.width = static_cast<int>(info.output_width);
  result.height = static_cast<int>(info.output_height);
  result.warnings = trap.manager.num_warnings;
  jpeg_destroy_decompress(&info);
  return result;
}

}  // namespace orsadrv::testing
