// Reading the pixels of a bitmap drawn with black as its transparent colour.
#pragma once

#include "platform/gdi_surface.h"

namespace camera::testing {

inline bool IsTransparent(platform::COLORREF color) { return color == platform::RGB(0, 0, 0); }

inline int Luma(platform::COLORREF color) {
  return (299 * platform::GetRValue(color) + 587 * platform::GetGValue(color) +
          114 * platform::GetBValue(color)) /
         1000;
}

inline int VisibleInColumn(const platform::gdi::Surface& bitmap, int x) {
  int count = 0;
  for (int y = 0; y < bitmap.height(); ++y) count += !IsTransparent(bitmap.GetPixel(x, y));
  return count;
}

inline int VisiblePixels(const platform::gdi::Surface& bitmap) {
  int count = 0;
  for (int x = 0; x < bitmap.width(); ++x) count += VisibleInColumn(bitmap, x);
  return count;
}

// The mean brightness of the visible pixels inside [left, right) x [top, bottom).
inline double MeanLuma(const platform::gdi::Surface& bitmap, int left, int top, int right,
                       int bottom) {
  double sum = 0;
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      platform::COLORREF color = bitmap.GetPixel(x, y);
      if (IsTransparent(color)) continue;
      sum += Luma(color);
      ++count;
    }
  }
  return count ? sum / count : 0.0;
}

inline double MeanLuma(const platform::gdi::Surface& bitmap) {
  return MeanLuma(bitmap, 0, 0, bitmap.width(), bitmap.height());
}

inline bool SamePixels(const platform::gdi::Surface& a, const platform::gdi::Surface& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
    }
  }
  return true;
}

}  // namespace camera::testing
