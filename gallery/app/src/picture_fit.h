// How a picture is fitted into a cell, the preview pane or a screen
// without being enlarged.
#pragma once

namespace gallery {

struct FittedSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const FittedSize&, const FittedSize&) = default;
};

// A `width` x `height` picture in an `area_width` x `area_height` area:
// unchanged when it fits; else the area's width and the height that keeps
// the proportions, or the area's height and the matching width when that
// height would not fit (integer arithmetic, rounding down).
constexpr FittedSize FitWithoutEnlarging(int width, int height, int area_width, int area_height) {
  if (width <= 0 || height <= 0) return {};
  if (width <= area_width && height <= area_height) return {width, height};
  const int fitted_height = height * area_width / width;
  if (fitted_height <= area_height) return {area_width, fitted_height};
  return {width * area_height / height, area_height};
}

}  // namespace gallery
