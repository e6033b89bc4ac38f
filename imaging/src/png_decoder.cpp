// PNG through libpng's simplified reading interface, which does the
// expansion of every colour type and bit depth, de-interlacing and the
// composition over a background itself.
#include <png.h>

#include <algorithm>
#include <iterator>

#include "decoders.h"

namespace imaging {

namespace {

// Frees libpng's state on every way out.
class PngImage {
 public:
  PngImage() { image_.version = PNG_IMAGE_VERSION; }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image* get() { return &image_; }

 private:
  png_image image_{};
};

// libpng is content once the pixels are in; a file cut short after them
// still lacks its closing chunk.
bool HasEndChunk(std::span<const std::uint8_t> data) {
  static constexpr std::uint8_t kEnd[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D'};
  const auto found = std::search(data.begin(), data.end(), std::begin(kEnd), std::end(kEnd));
  // Length, type and the four bytes of its checksum.
  return data.end() - found >= 12;
}

}  // namespace

LoadResult DecodePng(std::span<const std::uint8_t> data, std::unique_ptr<Bitmap>* bitmap) {
  if (!HasEndChunk(data)) return kLoadDamaged;
  PngImage image;
  if (!png_image_begin_read_from_memory(image.get(), data.data(), data.size())) {
    return kLoadDamaged;
  }
  image.get()->format = PNG_FORMAT_BGR;
  std::unique_ptr<Bitmap> result =
      Bitmap::Create(static_cast<int>(image.get()->width), static_cast<int>(image.get()->height));
  if (!result) return kLoadTooLarge;
  const png_color white{255, 255, 255};
  // The row stride is given in components (bytes here).
  if (!png_image_finish_read(image.get(), &white, result->bits(), result->stride(), nullptr)) {
    return kLoadDamaged;
  }
  *bitmap = std::move(result);
  return kLoadOk;
}

}  // namespace imaging
