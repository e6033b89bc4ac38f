// A memory context drawing into a DIB section, for tests that draw and then
// look at pixels, and the plain colours they draw with.
#pragma once

#include <gtest/gtest.h>

#include "platform/gdi.h"

namespace platform::gdi_testing {

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kMagenta = RGB(255, 0, 255);

inline HBITMAP MakeDib(int width, int height, int bits, void** pixels = nullptr,
                       bool top_down = true) {
  BITMAPINFO info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = top_down ? -height : height;
  info.bmiHeader.biBitCount = static_cast<WORD>(bits);
  void* ignored = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels ? pixels : &ignored);
}

class Canvas {
 public:
  Canvas(int width, int height, int bits = 24, COLORREF background = RGB(255, 255, 255))
      : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = MakeDib(width, height, bits, &bits_);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  void* bits() const { return bits_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // Pixels of the rectangle that differ from `color`.
  int CountOther(const RECT& area, COLORREF color) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) count += At(x, y) != color ? 1 : 0;
    }
    return count;
  }
  int CountOther(COLORREF color) const { return CountOther(RECT{0, 0, width_, height_}, color); }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace platform::gdi_testing
