#include "test_images.h"

#include <algorithm>
#include <cmath>

namespace codec::testing {
namespace {

uint8_t Byte(double value) { return static_cast<uint8_t>(std::clamp(value, 0.0, 255.0)); }

constexpr QuantTables kCameraTables[3] = {
    {{6,  6,  6,  6,  6,  6,  7,  7,  7,  7,  9,  8,  8,  8,  9,  13, 10, 13, 13, 10, 13, 16,
      13, 13, 14, 13, 13, 16, 20, 16, 16, 16, 16, 16, 16, 20, 20, 20, 20, 23, 20, 20, 20, 23,
      23, 26, 26, 23, 23, 28, 32, 34, 32, 28, 39, 43, 43, 39, 51, 51, 51, 64, 64, 85},
     {6,  6,  6,  6,  6,  6,  7,  6,  6,  7,  8,  7,  8,  7,  8,  10, 9,  9,  9,  9,  10, 13,
      13, 13, 13, 13, 13, 13, 16, 14, 13, 16, 16, 13, 14, 16, 17, 16, 17, 17, 17, 16, 17, 20,
      20, 23, 23, 20, 20, 23, 26, 26, 26, 23, 32, 32, 32, 32, 37, 39, 39, 51, 51, 64}},
    {{5, 5, 5, 5, 5, 5,  5,  5,  5,  5,  5,  5,  5,  5,  5,  6,  5,  5,  5,  5, 6, 6,
      6, 6, 6, 6, 6, 6,  8,  7,  7,  7,  7,  7,  7,  8,  8,  8,  8,  8,  8,  8, 8, 9,
      9, 9, 9, 9, 9, 10, 13, 13, 13, 10, 13, 13, 13, 13, 14, 16, 14, 16, 16, 23},
     {5, 5, 5, 5, 5, 5, 5, 5,  5, 5, 5,  5,  5,  5,  5,  5,  5,  5,  5,  5, 5, 6,
      5, 5, 6, 5, 5, 6, 7, 6,  6, 6, 6,  6,  6,  7,  7,  7,  7,  7,  7,  7, 7, 8,
      8, 8, 8, 8, 8, 9, 9, 10, 9, 9, 10, 13, 13, 10, 13, 13, 13, 14, 14, 16}},
    {{7,   7,   7,   13,  13,  13,  17,  16,  16,  17,  32,  23,  26,  23,  32,  51,
      34,  37,  37,  34,  51,  73,  57,  57,  64,  57,  57,  73,  128, 85,  85,  102,
      102, 85,  85,  128, 128, 128, 128, 171, 128, 128, 128, 171, 171, 255, 255, 171,
      171, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
     {7,   7,   7,   10,  10,  10,  16,  14,  14,  16,  26,  20,  23,  20,  26,  37,
      32,  32,  32,  32,  39,  57,  39,  39,  51,  39,  39,  57,  85,  64,  64,  73,
      73,  64,  64,  85,  102, 85,  102, 128, 102, 85,  102, 128, 128, 171, 171, 128,
      128, 171, 255, 255, 255, 171, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255}},
};

}  // namespace

Image MakeScene(int width, int height, int seed) {
  Image image{width, height, 3, {}};
  image.samples.resize(static_cast<size_t>(width) * height * 3);
  const double phase = seed * 0.7;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Proportional coordinates keep the scene alike at every size.
      const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
      double r = 128 + 100 * std::sin(3 * u + 2 * v + phase);
      double g = 128 + 90 * std::cos(2 * u - 3 * v + phase);
      double b = 40 + 180 * u * v;
      // Hard-edged patches and a fine stripe region.
      if (u > 0.1 && u < 0.35 && v > 0.15 && v < 0.4) r = 230, g = 40, b = 50;
      if (u > 0.6 && u < 0.85 && v > 0.55 && v < 0.8) r = 30, g = 60, b = 220;
      if (u > 0.45 && u < 0.55 && v > 0.2 && v < 0.7) {
        const double level = ((x / 3 + y / 5) % 2) ? 220 : 35;
        r = g = b = level;
      }
      uint8_t* pixel = image.At(x, y);
      pixel[0] = Byte(r), pixel[1] = Byte(g), pixel[2] = Byte(b);
    }
  }
  return image;
}

Image MakeFlat(int width, int height, uint8_t a, uint8_t b, uint8_t c, int channels) {
  Image image{width, height, channels, {}};
  image.samples.resize(static_cast<size_t>(width) * height * channels);
  for (size_t i = 0; i < image.samples.size(); i += channels) {
    const uint8_t values[3] = {a, b, c};
    for (int k = 0; k < channels; ++k) image.samples[i + k] = values[k];
  }
  return image;
}

QuantTables CameraTables(int quality_index) { return kCameraTables[quality_index]; }

std::vector<uint8_t> PreviewHeader(int width, int height, Subsampling subsampling) {
  const QuantTables& tables = kCameraTables[2];
  std::vector<uint8_t> header;
  header.reserve(170);
  header.assign({0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x84, 0x00});
  header.insert(header.end(), tables.luma.begin(), tables.luma.end());
  header.push_back(0x01);
  header.insert(header.end(), tables.chroma.begin(), tables.chroma.end());
  const uint8_t luma_sampling = subsampling == Subsampling::k420 ? 0x22 : 0x11;
  const uint8_t frame[] = {0xFF,
                           0xC0,
                           0x00,
                           0x11,
                           0x08,
                           static_cast<uint8_t>(height >> 8),
                           static_cast<uint8_t>(height),
                           static_cast<uint8_t>(width >> 8),
                           static_cast<uint8_t>(width),
                           0x03,
                           0x01,
                           luma_sampling,
                           0x00,
                           0x02,
                           0x11,
                           0x01,
                           0x03,
                           0x11,
                           0x01,
                           0x00};
  header.insert(header.end(), std::begin(frame), std::end(frame));
  const uint8_t scan[] = {0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00,
                          0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00};
  header.insert(header.end(), std::begin(scan), std::end(scan));
  return header;
}

long FindMarker(std::span<const uint8_t> jpeg, uint8_t code, size_t from) {
  for (size_t i = from; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return static_cast<long>(i);
  }
  return -1;
}

std::vector<uint8_t> ScanData(std::span<const uint8_t> jpeg) {
  const long sos = FindMarker(jpeg, 0xDA);
  if (sos < 0) return {};
  const size_t length = static_cast<size_t>(jpeg[sos + 2] << 8 | jpeg[sos + 3]);
  return {jpeg.begin() + sos + 2 + static_cast<long>(length), jpeg.end()};
}

namespace {

// Calls `visit(position, code, total_length)` for each segment before SOS.
template <class Visit>
size_t WalkSegments(std::span<const uint8_t> jpeg, Visit visit) {
  size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
    const size_t length = 2 + static_cast<size_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
    visit(at, jpeg[at + 1], length);
    at += length;
  }
  return at;
}

}  // namespace

std::vector<uint8_t> WithoutSegments(std::span<const uint8_t> jpeg, uint8_t code) {
  std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
  const size_t scan = WalkSegments(jpeg, [&](size_t at, uint8_t segment_code, size_t length) {
    if (segment_code != code) out.insert(out.end(), jpeg.begin() + at, jpeg.begin() + at + length);
  });
  out.insert(out.end(), jpeg.begin() + scan, jpeg.end());
  return out;
}

std::vector<uint8_t> WithSegmentBeforeFrame(std::span<const uint8_t> jpeg,
                                            std::span<const uint8_t> segment) {
  const long frame = FindMarker(jpeg, 0xC0);
  std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + frame);
  out.insert(out.end(), segment.begin(), segment.end());
  out.insert(out.end(), jpeg.begin() + frame, jpeg.end());
  return out;
}

Image ToRgb(std::span<const uint8_t> pixels, int width, int height, int bytes_per_pixel) {
  Image image{width, height, 3, {}};
  image.samples.resize(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    uint8_t* rgb = image.samples.data() + 3 * i;
    if (bytes_per_pixel == 3) {
      rgb[0] = pixels[3 * i + 2], rgb[1] = pixels[3 * i + 1], rgb[2] = pixels[3 * i];
    } else {
      const int word = pixels[2 * i] | pixels[2 * i + 1] << 8;
      const int r = word >> 11, g = (word >> 5) & 63, b = word & 31;
      rgb[0] = static_cast<uint8_t>(r << 3 | r >> 2);
      rgb[1] = static_cast<uint8_t>(g << 2 | g >> 4);
      rgb[2] = static_cast<uint8_t>(b << 3 | b >> 2);
    }
  }
  return image;
}

Image QuantiseTo565(const Image& image) {
  Image out = image;
  for (size_t i = 0; i < out.samples.size(); i += 3) {
    const int r = out.samples[i] >> 3, g = out.samples[i + 1] >> 2, b = out.samples[i + 2] >> 3;
    out.samples[i] = static_cast<uint8_t>(r << 3 | r >> 2);
    out.samples[i + 1] = static_cast<uint8_t>(g << 2 | g >> 4);
    out.samples[i + 2] = static_cast<uint8_t>(b << 3 | b >> 2);
  }
  return out;
}

double Psnr(const Image& a, const Image& b) {
  if (a.samples.size() != b.samples.size() || a.samples.empty()) return 0;
  double sum = 0;
  for (size_t i = 0; i < a.samples.size(); ++i) {
    const double d = static_cast<double>(a.samples[i]) - b.samples[i];
    sum += d * d;
  }
  if (sum == 0) return 1000;
  const double mse = sum / static_cast<double>(a.samples.size());
  return 10 * std::log10(255.0 * 255.0 / mse);
}

double LumaPsnr(const Image& a, const Image& b) {
  const auto luma = [](const Image& image) {
    Image out{image.width, image.height, 1, {}};
    for (size_t i = 0; i + 2 < image.samples.size(); i += 3) {
      out.samples.push_back(static_cast<uint8_t>(
          (77 * image.samples[i] + 150 * image.samples[i + 1] + 29 * image.samples[i + 2]) >> 8));
    }
    return out;
  };
  return Psnr(luma(a), luma(b));
}

}  // namespace codec::testing
