// Comparing screenshots with a tolerance: fonts and filters may round a
// little differently from one host to another, a broken picture does not.
#pragma once

#include <cstdlib>
#include <string>

#include "platform/gdi_surface.h"

namespace handheld::testing {

struct Difference {
  bool same_size = false;
  int differing_pixels = 0;
  int total_pixels = 0;
};

// Pixels differ when a channel is off by more than `channel_tolerance`.
inline Difference Compare(const platform::gdi::Surface& a, const platform::gdi::Surface& b,
                          int channel_tolerance) {
  Difference result;
  result.same_size = a.width() == b.width() && a.height() == b.height();
  if (!result.same_size) return result;
  result.total_pixels = a.width() * a.height();
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      platform::COLORREF p = a.GetPixel(x, y);
      platform::COLORREF q = b.GetPixel(x, y);
      if (std::abs(platform::GetRValue(p) - platform::GetRValue(q)) > channel_tolerance ||
          std::abs(platform::GetGValue(p) - platform::GetGValue(q)) > channel_tolerance ||
          std::abs(platform::GetBValue(p) - platform::GetBValue(q)) > channel_tolerance) {
        ++result.differing_pixels;
      }
    }
  }
  return result;
}

}  // namespace handheld::testing
