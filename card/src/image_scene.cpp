// A still picture file as the scene: decoded once and stretched over the
// field.
#include <png.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

#include "card/rgb_image.h"
#include "card/scene.h"
#include "field_image.h"

namespace card {

namespace {

std::optional<RgbImage> ReadPng(const std::filesystem::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  RgbImage picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return picture;
}

std::optional<RgbImage> ReadJpeg(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  return DecodeJpegToRgb(bytes.data(), bytes.size());
}

// Stretches the picture over the field, bilinearly.
std::vector<std::uint8_t> Stretch(const RgbImage& picture) {
  std::vector<std::uint8_t> field(static_cast<std::size_t>(kFieldWidth) * kFieldHeight * 3);
  for (int y = 0; y < kFieldHeight; ++y) {
    const double source_y =
        std::clamp((y + 0.5) * picture.height / kFieldHeight - 0.5, 0.0, picture.height - 1.0);
    const int y0 = static_cast<int>(source_y);
    const int y1 = std::min(y0 + 1, picture.height - 1);
    const double fy = source_y - y0;
    for (int x = 0; x < kFieldWidth; ++x) {
      const double source_x =
          std::clamp((x + 0.5) * picture.width / kFieldWidth - 0.5, 0.0, picture.width - 1.0);
      const int x0 = static_cast<int>(source_x);
      const int x1 = std::min(x0 + 1, picture.width - 1);
      const double fx = source_x - x0;
      for (int c = 0; c < 3; ++c) {
        auto at = [&](int px, int py) {
          return picture.rgb[(static_cast<std::size_t>(py) * picture.width + px) * 3 + c];
        };
        const double top = at(x0, y0) * (1 - fx) + at(x1, y0) * fx;
        const double bottom = at(x0, y1) * (1 - fx) + at(x1, y1) * fx;
        field[(static_cast<std::size_t>(y) * kFieldWidth + x) * 3 + c] =
            static_cast<std::uint8_t>(top * (1 - fy) + bottom * fy + 0.5);
      }
    }
  }
  return field;
}

class ImageScene : public SceneSource {
 public:
  explicit ImageScene(std::vector<std::uint8_t> field) : field_(std::move(field)) {}
  void Render(std::uint64_t, int scale, int x, int y, int width, int height,
              std::span<std::uint8_t> rgb) override {
    field_.Copy(scale, x, y, width, height, 0, rgb);
  }

 private:
  internal::FieldImage field_;
};

}  // namespace

std::unique_ptr<SceneSource> LoadImageScene(const std::filesystem::path& file) {
  std::optional<RgbImage> picture = ReadPng(file);
  if (!picture) picture = ReadJpeg(file);
  if (!picture || picture->width <= 0 || picture->height <= 0) return nullptr;
  return std::make_unique<ImageScene>(Stretch(*picture));
}

}  // namespace card
