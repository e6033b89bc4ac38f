// The pictures the imaging library hands out: 24-bit pixels, each blue,
// green, red, rows top line first, each row padded to a multiple of four
// bytes. That is exactly the memory of a top-down 24-bit DIB section, so a
// bitmap can be copied into one (or become one) with a single block copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace imaging {

class Bitmap {
 public:
  // The largest bitmap the library makes: 16 million pixels (48 MB), far
  // beyond the handheld's memory; larger requests fail instead of
  // exhausting the host.
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

  // A black bitmap; null when a side is below 1, above 65535 or the pixel
  // count is above kMaxPixels, or when the memory cannot be had.
  static std::unique_ptr<Bitmap> Create(int width, int height);
  // The same, for a decoder that writes every pixel itself: the pixels are
  // left as the memory came (clearing megabytes only to overwrite them is
  // a pass over the whole picture for nothing); the padding at the end of
  // each row is still cleared.
  static std::unique_ptr<Bitmap> CreateForOverwrite(int width, int height);
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // The pixel memory all bitmaps alive hold together, in bytes: what the
  // pictures on hand cost, and whether one was let go.
  static std::size_t LiveBytes();

  int width() const { return width_; }
  int height() const { return height_; }
  // Bytes from one row to the next.
  int stride() const { return stride_; }
  static int StrideFor(int width) { return (width * 3 + 3) & ~3; }

  std::uint8_t* Row(int y) { return bits() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* Row(int y) const { return bits() + static_cast<std::size_t>(y) * stride_; }
  std::uint8_t* bits() { return pixels_.get(); }
  const std::uint8_t* bits() const { return pixels_.get(); }
  std::size_t size_bytes() const {
    return static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_);
  }

  // Sets one pixel from red, green, blue (inside the bitmap only).
  void SetPixel(int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    std::uint8_t* pixel = Row(y) + x * 3;
    pixel[0] = blue;
    pixel[1] = green;
    pixel[2] = red;
  }

 private:
  Bitmap(int width, int height, std::unique_ptr<std::uint8_t[]> pixels);
  static std::unique_ptr<Bitmap> Make(int width, int height, bool cleared);
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::unique_ptr<std::uint8_t[]> pixels_;
};

}  // namespace imaging
