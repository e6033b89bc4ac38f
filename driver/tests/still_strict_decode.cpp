#include "still_strict_decode.h"

#include <csetjmp>
// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace orsadrv::testing {

namespace {
struct Errors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};
}  // namespace

StrictDecode DecodeStrictly(const std::vector<std::uint8_t>& file) {
  jpeg_decompress_struct info;
  Errors errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = [](j_common_ptr common) {
    std::longjmp(reinterpret_cast<Errors*>(common->err)->jump, 1);
  };
  errors.base.output_message = [](j_common_ptr) {};
  StrictDecode result;
  if (setjmp(errors.jump)) {
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
  result.warnings = errors.base.num_warnings;
  jpeg_destroy_decompress(&info);
  return result;
}

}  // namespace orsadrv::testing
