#include "card_testing/jpeg_tools.h"

#include <algorithm>
#include <iterator>

#include "card_testing/camera_tables.h"
#include "codec/standard_huffman_tables.h"

namespace card::testing {

namespace {

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
  const std::vector<std::uint8_t> huffman =
      codec::StandardHuffmanSegment(codec::kHuffmanLuminanceFirstOrder);
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
