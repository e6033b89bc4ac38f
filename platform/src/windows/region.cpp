#include "windows/region.h"

#include <algorithm>

namespace platform::windows {

namespace {

// The parts of `from` outside `cut`, as up to four rectangles.
void AppendDifference(const RECT& from, const RECT& cut, std::vector<RECT>& out) {
  RECT overlap;
  if (!IntersectRect(&overlap, &from, &cut)) {
    out.push_back(from);
    return;
  }
  if (from.top < overlap.top) out.push_back({from.left, from.top, from.right, overlap.top});
  if (overlap.bottom < from.bottom) {
    out.push_back({from.left, overlap.bottom, from.right, from.bottom});
  }
  if (from.left < overlap.left)
    out.push_back({from.left, overlap.top, overlap.left, overlap.bottom});
  if (overlap.right < from.right) {
    out.push_back({overlap.right, overlap.top, from.right, overlap.bottom});
  }
}

}  // namespace

RECT Region::Bounds() const {
  RECT bounds{};
  for (const RECT& rect : rects_) UnionRect(&bounds, &bounds, &rect);
  return bounds;
}

bool Region::Contains(POINT point) const {
  return std::any_of(rects_.begin(), rects_.end(),
                     [&](const RECT& rect) { return PtInRect(&rect, point); });
}

void Region::Add(const RECT& rect) {
  if (IsRectEmpty(rect)) return;
  // Keep the rectangles disjoint: add only what is not covered yet.
  std::vector<RECT> pieces{rect};
  for (const RECT& existing : rects_) {
    std::vector<RECT> rest;
    for (const RECT& piece : pieces) AppendDifference(piece, existing, rest);
    pieces = std::move(rest);
    if (pieces.empty()) return;
  }
  rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::Add(const Region& other) {
  for (const RECT& rect : other.rects_) Add(rect);
}

void Region::Subtract(const RECT& rect) {
  if (IsRectEmpty(rect)) return;
  std::vector<RECT> rest;
  for (const RECT& existing : rects_) AppendDifference(existing, rect, rest);
  rects_ = std::move(rest);
}

void Region::Subtract(const Region& other) {
  for (const RECT& rect : other.rects_) Subtract(rect);
}

void Region::Intersect(const RECT& rect) {
  std::vector<RECT> kept;
  for (const RECT& existing : rects_) {
    RECT overlap;
    if (IntersectRect(&overlap, &existing, &rect)) kept.push_back(overlap);
  }
  rects_ = std::move(kept);
}

void Region::Intersect(const Region& other) {
  Region result;
  for (const RECT& rect : other.rects_) {
    Region part = *this;
    part.Intersect(rect);
    result.rects_.insert(result.rects_.end(), part.rects_.begin(), part.rects_.end());
  }
  *this = std::move(result);
}

void Region::Offset(int dx, int dy) {
  for (RECT& rect : rects_) OffsetRect(&rect, dx, dy);
}

}  // namespace platform::windows
