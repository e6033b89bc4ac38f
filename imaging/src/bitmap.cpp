#include "imaging/bitmap.h"

#include <atomic>
#include <cstring>
#include <new>

namespace imaging {

namespace {

// Bitmaps are made and dropped on the thumbnail worker and the UI thread.
std::atomic<std::size_t> live_bytes{0};

}  // namespace

Bitmap::Bitmap(int width, int height, std::unique_ptr<std::uint8_t[]> pixels)
    : width_(width), height_(height), stride_(StrideFor(width)), pixels_(std::move(pixels)) {
  live_bytes += size_bytes();
}

Bitmap::~Bitmap() { live_bytes -= size_bytes(); }

std::size_t Bitmap::LiveBytes() { return live_bytes.load(); }

std::unique_ptr<Bitmap> Bitmap::Make(int width, int height, bool cleared) {
  if (width < 1 || height < 1 || width > 65535 || height > 65535) return nullptr;
  if (std::int64_t{width} * height > kMaxPixels) return nullptr;
  const std::size_t bytes = static_cast<std::size_t>(StrideFor(width)) * height;
  try {
    auto pixels = cleared ? std::make_unique<std::uint8_t[]>(bytes)
                          : std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
    std::unique_ptr<Bitmap> bitmap(new Bitmap(width, height, std::move(pixels)));
    const int padding = bitmap->stride_ - width * 3;
    if (!cleared && padding > 0) {
      for (int y = 0; y < height; ++y) std::memset(bitmap->Row(y) + width * 3, 0, padding);
    }
    return bitmap;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::unique_ptr<Bitmap> Bitmap::Create(int width, int height) { return Make(width, height, true); }

std::unique_ptr<Bitmap> Bitmap::CreateForOverwrite(int width, int height) {
  return Make(width, height, false);
}

}  // namespace imaging
