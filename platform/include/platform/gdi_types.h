// Value and handle types of the drawing interface: colours, rectangles,
// sizes and the handles of drawing contexts and drawing objects.
#pragma once

#include <algorithm>

#include "platform/types.h"

namespace platform {

// 0x00BBGGRR, as the platform stores colours.
using COLORREF = DWORD;
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
  return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
         (static_cast<COLORREF>(blue) << 16);
}
constexpr BYTE GetRValue(COLORREF color) { return static_cast<BYTE>(color); }
constexpr BYTE GetGValue(COLORREF color) { return static_cast<BYTE>(color >> 8); }
constexpr BYTE GetBValue(COLORREF color) { return static_cast<BYTE>(color >> 16); }

// Left and top inside, right and bottom outside.
struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
  friend bool operator==(const RECT&, const RECT&) = default;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
  friend bool operator==(const SIZE&, const SIZE&) = default;
};

inline bool IsRectEmpty(const RECT& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}
inline BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) return FALSE;
  *rect = {left, top, right, bottom};
  return TRUE;
}
inline BOOL SetRectEmpty(RECT* rect) { return SetRect(rect, 0, 0, 0, 0); }
inline BOOL OffsetRect(RECT* rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  *rect = {rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy};
  return TRUE;
}
inline BOOL InflateRect(RECT* rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  *rect = {rect->left - dx, rect->top - dy, rect->right + dx, rect->bottom + dy};
  return TRUE;
}
inline BOOL PtInRect(const RECT* rect, POINT point) {
  return rect != nullptr && point.x >= rect->left && point.x < rect->right &&
         point.y >= rect->top && point.y < rect->bottom;
}
// TRUE when the intersection is not empty; an empty one is set to all zeros.
inline BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b) {
  if (out == nullptr || a == nullptr || b == nullptr) return FALSE;
  RECT both{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
            std::min(a->bottom, b->bottom)};
  *out = IsRectEmpty(both) ? RECT{} : both;
  return IsRectEmpty(both) ? FALSE : TRUE;
}
// The smallest rectangle holding both; an empty one counts as nothing.
inline BOOL UnionRect(RECT* out, const RECT* a, const RECT* b) {
  if (out == nullptr || a == nullptr || b == nullptr) return FALSE;
  if (IsRectEmpty(*a)) {
    *out = IsRectEmpty(*b) ? RECT{} : *b;
  } else if (IsRectEmpty(*b)) {
    *out = *a;
  } else {
    *out = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
            std::max(a->bottom, b->bottom)};
  }
  return IsRectEmpty(*out) ? FALSE : TRUE;
}
inline BOOL EqualRect(const RECT* a, const RECT* b) {
  return a != nullptr && b != nullptr && *a == *b;
}

// Handles. Drawing objects share one base so that each converts to
// HGDIOBJ and back (static_cast) as the platform's handles do.
struct GdiObjectTag {
  virtual ~GdiObjectTag() = default;
};
struct BitmapTag : GdiObjectTag {};
struct BrushTag : GdiObjectTag {};
struct PenTag : GdiObjectTag {};
struct FontTag : GdiObjectTag {};
struct DeviceContextTag {
  virtual ~DeviceContextTag() = default;
};
struct IconTag {
  virtual ~IconTag() = default;
};

using HGDIOBJ = GdiObjectTag*;
using HBITMAP = BitmapTag*;
using HBRUSH = BrushTag*;
using HPEN = PenTag*;
using HFONT = FontTag*;
using HDC = DeviceContextTag*;
using HICON = IconTag*;

}  // namespace platform
