#include "reference_codec.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace codec::testing {
namespace {

struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void OnError(j_common_ptr info) {
  auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
  std::longjmp(trap->jump, 1);
}
void OnMessage(j_common_ptr /*info*/, int /*level*/) {}

}  // namespace

const char* SubsamplingName(Subsampling subsampling) {
  switch (subsampling) {
    case Subsampling::k444:
      return "444";
    case Subsampling::k422:
      return "422";
    case Subsampling::k420:
      return "420";
  }
  return "?";
}

std::vector<uint8_t> EncodeJpeg(const Image& image, const EncodeOptions& options) {
  jpeg_compress_struct info{};
  ErrorTrap trap{};
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = OnError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<uint8_t> result;
  if (setjmp(trap.jump) != 0) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = image.channels;
  info.in_color_space = image.channels == 1      ? JCS_GRAYSCALE
                        : options.input_is_ycbcr ? JCS_YCbCr
                                                 : JCS_RGB;
  jpeg_set_defaults(&info);
  info.dct_method = JDCT_ISLOW;
  if (options.tables) {
    // jpeg_add_quant_table takes natural order.
    static constexpr uint8_t kNatural[64] = {
        0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
        41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
        30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    unsigned int luma[64], chroma[64];
    for (int i = 0; i < 64; ++i) {
      luma[kNatural[i]] = options.tables->luma[i];
      chroma[kNatural[i]] = options.tables->chroma[i];
    }
    jpeg_add_quant_table(&info, 0, luma, 100, TRUE);
    jpeg_add_quant_table(&info, 1, chroma, 100, TRUE);
  } else {
    jpeg_set_quality(&info, options.quality, TRUE);
  }
  if (image.channels == 3) {
    const int h = options.subsampling == Subsampling::k444 ? 1 : 2;
    const int v = options.subsampling == Subsampling::k420 ? 2 : 1;
    info.comp_info[0].h_samp_factor = h;
    info.comp_info[0].v_samp_factor = v;
    for (int i = 1; i < 3; ++i) {
      info.comp_info[i].h_samp_factor = 1;
      info.comp_info[i].v_samp_factor = 1;
    }
  }
  info.restart_interval = static_cast<unsigned int>(options.restart_interval);
  if (options.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const size_t stride = static_cast<size_t>(image.width) * image.channels;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.samples.data() + info.next_scanline * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  result.assign(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return result;
}

Image DecodeReference(const std::vector<uint8_t>& jpeg, int numerator) {
  jpeg_decompress_struct info{};
  ErrorTrap trap{};
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = OnError;
  trap.manager.emit_message = OnMessage;
  Image image;
  if (setjmp(trap.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  info.scale_num = static_cast<unsigned int>(numerator);
  info.scale_denom = 8;
  info.out_color_space = JCS_RGB;
  info.dct_method = JDCT_ISLOW;
  info.do_fancy_upsampling = FALSE;
  jpeg_start_decompress(&info);
  image.width = static_cast<int>(info.output_width);
  image.height = static_cast<int>(info.output_height);
  image.channels = 3;
  image.samples.resize(static_cast<size_t>(image.width) * image.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.At(0, static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

}  // namespace codec::testing
