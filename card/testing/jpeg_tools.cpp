#include "card_testing/jpeg_tools.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <memory>

#include "card_testing/camera_tables.h"

namespace card::testing {

namespace {

struct Errors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  unsigned char* output = nullptr;
  unsigned long output_size = 0;
};

[[noreturn]] void Fail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<Errors*>(info->err)->jump, 1);
}

void Put16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

void PutDqt(std::vector<std::uint8_t>& out, int quality) {
  const auto& table = QuantisationTable(quality);
  out.insert(out.end(), {0xFF, 0xDB, 0x00, 0x84, 0x00});
  out.insert(out.end(), table.begin(), table.begin() + 64);
  out.push_back(0x01);
  out.insert(out.end(), table.begin() + 64, table.end());
}

void PutFrame(std::vector<std::uint8_t>& out, int width, int height, int luma_sampling) {
  out.insert(out.end(), {0xFF, 0xC0, 0x00, 0x11, 0x08});
  Put16(out, height);
  Put16(out, width);
  out.insert(out.end(), {0x03, 0x01, static_cast<std::uint8_t>(luma_sampling * 0x11), 0x00, 0x02,
                         0x11, 0x01, 0x03, 0x11, 0x01});
}

constexpr std::uint8_t kScanHeader[] = {0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00,
                                        0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00};

// The four standard Huffman tables as one segment, in the order libjpeg
// writes them for a colour image (DC 0, AC 0, DC 1, AC 1).
std::vector<std::uint8_t> StandardHuffmanSegment() {
  jpeg_compress_struct info;
  Errors errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = Fail;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    std::free(errors.output);
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &errors.output, &errors.output_size);
  info.image_width = info.image_height = 8;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::uint8_t line[24] = {};
  JSAMPROW row = line;
  for (int y = 0; y < 8; ++y) jpeg_write_scanlines(&info, &row, 1);
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> file(errors.output, errors.output + errors.output_size);
  jpeg_destroy_compress(&info);
  std::free(errors.output);

  std::vector<std::uint8_t> tables;
  for (std::size_t i = 2; i + 3 < file.size() && file[i + 1] != 0xDA;) {
    const std::size_t length = file[i + 2] << 8 | file[i + 3];
    if (file[i + 1] == 0xC4)
      tables.insert(tables.end(), file.begin() + i + 4, file.begin() + i + 2 + length);
    i += 2 + length;
  }
  std::vector<std::uint8_t> segment = {0xFF, 0xC4};
  Put16(segment, static_cast<int>(tables.size() + 2));
  segment.insert(segment.end(), tables.begin(), tables.end());
  return segment;
}

}  // namespace

std::vector<std::uint8_t> PreviewHeader(int width, int height, int luma_sampling) {
  std::vector<std::uint8_t> header = {0xFF, 0xD8};
  PutDqt(header, 2);
  PutFrame(header, width, height, luma_sampling);
  header.push_back(0x00);  // the stray byte before the scan header
  header.insert(header.end(), std::begin(kScanHeader), std::end(kScanHeader));
  return header;
}

std::vector<std::uint8_t> StillHeader(int width, int height, int luma_sampling, int quality) {
  std::vector<std::uint8_t> header = {0xFF, 0xD8, 0xFF, 0xE1, 0x03, 0x9C, 'E', 'x', 'i', 'f', 0, 0};
  header.resize(4 + 924, 0);
  PutDqt(header, quality);
  PutFrame(header, width, height, luma_sampling);
  const std::vector<std::uint8_t> huffman = StandardHuffmanSegment();
  header.insert(header.end(), huffman.begin(), huffman.end());
  header.insert(header.end(), std::begin(kScanHeader), std::end(kScanHeader));
  return header;
}

std::optional<Picture> Decode(const std::vector<std::uint8_t>& jpeg) {
  std::optional<RgbImage> image = DecodeJpegToRgb(jpeg.data(), jpeg.size());
  if (!image) return std::nullopt;
  Picture picture;
  static_cast<RgbImage&>(picture) = std::move(*image);
  return picture;
}

std::optional<Picture> DecodeWith(const std::vector<std::uint8_t>& header,
                                  const std::vector<std::uint8_t>& scan) {
  std::vector<std::uint8_t> whole = header;
  whole.insert(whole.end(), scan.begin(), scan.end());
  return Decode(whole);
}

void Picture::MeanColour(double* red, double* green, double* blue, int x, int y, int w,
                         int h) const {
  if (w < 0) w = width - x;
  if (h < 0) h = height - y;
  double sums[3] = {};
  for (int row = y; row < y + h; ++row) {
    for (int column = x; column < x + w; ++column) {
      for (int c = 0; c < 3; ++c)
        sums[c] += rgb[(static_cast<std::size_t>(row) * width + column) * 3 + c];
    }
  }
  const double count = std::max(1.0, static_cast<double>(w) * h);
  *red = sums[0] / count;
  *green = sums[1] / count;
  *blue = sums[2] / count;
}

double Picture::MeanLuminance() const {
  double red, green, blue;
  MeanColour(&red, &green, &blue);
  return 0.299 * red + 0.587 * green + 0.114 * blue;
}

}  // namespace card::testing
