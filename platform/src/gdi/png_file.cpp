#include "gdi/png_file.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace platform::gdi {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool WritePng(const Surface& surface, const std::filesystem::path& path) {
  if (surface.empty()) return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface.width());
  image.height = static_cast<png_uint_32>(surface.height());
  image.format = PNG_FORMAT_RGB;
  std::vector<BYTE> rows(static_cast<std::size_t>(surface.width()) * surface.height() * 3);
  BYTE* out = rows.data();
  for (int y = 0; y < surface.height(); ++y) {
    const BYTE* pixel = surface.Row(y);
    for (int x = 0; x < surface.width(); ++x, pixel += surface.bytes_per_pixel()) {
      COLORREF color = surface.ReadPixel(pixel);
      *out++ = GetRValue(color);
      *out++ = GetGValue(color);
      *out++ = GetBValue(color);
    }
  }
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  bool written = png_image_write_to_stdio(&image, file.get(), 0, rows.data(), 0, nullptr) != 0;
  png_image_free(&image);
  if (std::fflush(file.get()) != 0) written = false;
  return written;
}

std::optional<Surface> DecodePng(std::span<const BYTE> data) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return std::nullopt;
  // Pictures past this are not the handheld's and would only exhaust memory.
  constexpr png_uint_32 kLargestSide = 16384;
  if (image.width > kLargestSide || image.height > kLargestSide) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_BGR;
  Surface surface(static_cast<int>(image.width), static_cast<int>(image.height), 24);
  if (surface.empty() || static_cast<png_uint_32>(surface.width()) != image.width) {
    png_image_free(&image);
    return std::nullopt;
  }
  // Drawn onto black where the picture has alpha.
  png_color black{0, 0, 0};
  if (!png_image_finish_read(&image, &black, surface.bits(), surface.stride(), nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return surface;
}

std::optional<Surface> ReadPng(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<BYTE> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return DecodePng(data);
}

}  // namespace platform::gdi
