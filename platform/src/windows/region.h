// A set of pixels as non-overlapping rectangles: invalid areas and the
// visible parts of windows.
#pragma once

#include <vector>

#include "platform/gdi_types.h"

namespace platform::windows {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& rect) { Add(rect); }

  bool empty() const { return rects_.empty(); }
  const std::vector<RECT>& rects() const { return rects_; }
  // The smallest rectangle holding every pixel (empty for no pixels).
  RECT Bounds() const;
  bool Contains(POINT point) const;

  void Clear() { rects_.clear(); }
  void Add(const RECT& rect);
  void Add(const Region& other);
  void Subtract(const RECT& rect);
  void Subtract(const Region& other);
  void Intersect(const RECT& rect);
  void Intersect(const Region& other);
  void Offset(int dx, int dy);

 private:
  std::vector<RECT> rects_;
};

}  // namespace platform::windows
