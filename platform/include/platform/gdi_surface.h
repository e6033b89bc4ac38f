// A pixel buffer that drawing contexts draw into: the screen, memory
// bitmaps and DIB sections. 16-bit pixels are little-endian RGB565 words;
// 24-bit pixels are blue, green, red bytes. Rows are padded to 4 bytes as in
// a device-independent bitmap and may be stored bottom-up like one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/gdi_types.h"

namespace platform::gdi {

enum class RowOrder { kTopDown, kBottomUp };

class Surface {
 public:
  Surface() = default;
  // Zero-filled (black). Widths and heights below 1 make an empty surface;
  // bits_per_pixel is 16 or 24 (anything else is taken as 24).
  Surface(int width, int height, int bits_per_pixel, RowOrder order = RowOrder::kTopDown);
  // Over pixels someone else made (at least a stride times the height
  // bytes, laid out as above): drawn in place, no copy, and kept alive
  // through `memory` for as long as the surface lives.
  Surface(int width, int height, int bits_per_pixel, RowOrder order, std::shared_ptr<BYTE> memory);
  // A copy always holds pixels of its own, so it stays a snapshot.
  Surface(const Surface& other);
  Surface& operator=(const Surface& other);
  Surface(Surface&&) = default;
  Surface& operator=(Surface&&) = default;

  int width() const { return width_; }
  int height() const { return height_; }
  int bits_per_pixel() const { return bits_per_pixel_; }
  int bytes_per_pixel() const { return bits_per_pixel_ / 8; }
  // Bytes from one row to the next in memory.
  int stride() const { return stride_; }
  RowOrder row_order() const { return order_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  // The pixel memory as a DIB holds it (first the bottom row when
  // bottom-up); stays put for the surface's life.
  BYTE* bits() { return adopted_ ? adopted_.get() : pixels_.data(); }
  const BYTE* bits() const { return adopted_ ? adopted_.get() : pixels_.data(); }
  std::size_t size_bytes() const {
    return static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_);
  }

  // Row y counted from the top, whatever the memory order.
  BYTE* Row(int y) { return bits() + RowOffset(y); }
  const BYTE* Row(int y) const { return bits() + RowOffset(y); }

  // Drawing calls hold this for the call: the screen is drawn by every
  // program's thread through window DCs and copied by screenshots, and a
  // blit may read a surface another thread draws. Recursive, as one
  // drawing call may make another; a copy of the surface has its own.
  std::recursive_mutex& drawing_mutex() const { return drawing_.mutex; }

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  RECT Bounds() const { return {0, 0, width_, height_}; }

  // CLR_INVALID outside the surface.
  COLORREF GetPixel(int x, int y) const {
    if (!Contains(x, y)) return CLR_INVALID;
    return ReadPixel(Row(y) + x * bytes_per_pixel());
  }
  // Outside the surface nothing happens.
  void SetPixel(int x, int y, COLORREF color) {
    if (Contains(x, y)) WritePixel(Row(y) + x * bytes_per_pixel(), color);
  }
  // The colour a pixel reads back as after being set to `color` (RGB565
  // keeps 5, 6 and 5 bits, widened again by repeating the high bits).
  COLORREF Quantize(COLORREF color) const;

  // Fills the part of `rect` inside the surface.
  void Fill(const RECT& rect, COLORREF color);

  COLORREF ReadPixel(const BYTE* pixel) const {
    if (bits_per_pixel_ == 16) return FromRgb565(static_cast<WORD>(pixel[0] | (pixel[1] << 8)));
    return RGB(pixel[2], pixel[1], pixel[0]);
  }
  void WritePixel(BYTE* pixel, COLORREF color) const {
    if (bits_per_pixel_ == 16) {
      WORD word = ToRgb565(color);
      pixel[0] = static_cast<BYTE>(word);
      pixel[1] = static_cast<BYTE>(word >> 8);
    } else {
      pixel[0] = GetBValue(color);
      pixel[1] = GetGValue(color);
      pixel[2] = GetRValue(color);
    }
  }

  static WORD ToRgb565(COLORREF color) {
    return static_cast<WORD>(((GetRValue(color) >> 3) << 11) | ((GetGValue(color) >> 2) << 5) |
                             (GetBValue(color) >> 3));
  }
  static COLORREF FromRgb565(WORD word) {
    int red = (word >> 11) & 0x1F;
    int green = (word >> 5) & 0x3F;
    int blue = word & 0x1F;
    return RGB(static_cast<BYTE>((red << 3) | (red >> 2)),
               static_cast<BYTE>((green << 2) | (green >> 4)),
               static_cast<BYTE>((blue << 3) | (blue >> 2)));
  }

 private:
  std::size_t RowOffset(int y) const {
    int memory_row = order_ == RowOrder::kTopDown ? y : height_ - 1 - y;
    return static_cast<std::size_t>(memory_row) * static_cast<std::size_t>(stride_);
  }

  int width_ = 0;
  int height_ = 0;
  int bits_per_pixel_ = 24;
  int stride_ = 0;
  RowOrder order_ = RowOrder::kTopDown;
  std::vector<BYTE> pixels_;
  std::shared_ptr<BYTE> adopted_;  // the caller's pixels, when not our own
  struct DrawingMutex {
    DrawingMutex() = default;
    DrawingMutex(const DrawingMutex&) {}
    DrawingMutex& operator=(const DrawingMutex&) { return *this; }
    mutable std::recursive_mutex mutex;
  };
  DrawingMutex drawing_;
};

}  // namespace platform::gdi
