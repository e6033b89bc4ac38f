// Fills, rectangles, ellipses, lines and polygons.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "gdi/painter.h"
#include "platform/last_error.h"

namespace platform::gdi {

void FillArea(const DeviceContext& context, const RECT& area, COLORREF color,
              const RECT* extra_clip) {
  Surface& target = *context.target();
  for (const RECT& piece : context.Visible(area, extra_clip)) target.Fill(piece, color);
}

std::optional<COLORREF> BrushColour(HBRUSH brush) {
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value > 0 && value <= COLOR_STATICTEXT + 1) {
    return GetSysColor(static_cast<int>(value - 1));
  }
  std::shared_ptr<BrushObject> found = ObjectTable::Instance().Find<BrushObject>(brush);
  if (!found || found->null_brush) return std::nullopt;
  return found->color;
}

void PenDot(const DeviceContext& context, int x, int y, int width, COLORREF color) {
  int before = (width - 1) / 2;
  FillArea(context, RECT{x - before, y - before, x - before + width, y - before + width}, color);
}

namespace {

// Bresenham from `from` to `to`, leaving out `to` itself. Dashes are runs of
// 6 pixels on and 3 off.
void DrawLine(const DeviceContext& context, POINT from, POINT to) {
  const PenObject& pen = context.pen();
  if (pen.style == PS_NULL) return;
  int dx = std::abs(to.x - from.x);
  int dy = -std::abs(to.y - from.y);
  int step_x = from.x < to.x ? 1 : -1;
  int step_y = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  int x = from.x;
  int y = from.y;
  for (int n = 0; x != to.x || y != to.y; ++n) {
    if (pen.style != PS_DASH || n % 9 < 6) PenDot(context, x, y, pen.width, pen.color);
    int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x += step_x;
    }
    if (doubled <= dx) {
      error += dx;
      y += step_y;
    }
  }
}

bool HasPen(const DeviceContext& context) { return context.pen().style != PS_NULL; }

// Fills the polygon's inside (even-odd rule, pixel centres).
void FillPolygon(const DeviceContext& context, const POINT* points, int count, COLORREF color) {
  int top = points[0].y;
  int bottom = points[0].y;
  for (int i = 1; i < count; ++i) {
    top = std::min(top, points[i].y);
    bottom = std::max(bottom, points[i].y);
  }
  std::vector<double> crossings;
  for (int y = top; y < bottom; ++y) {
    double centre = y + 0.5;
    crossings.clear();
    for (int i = 0; i < count; ++i) {
      POINT a = points[i];
      POINT b = points[(i + 1) % count];
      if ((a.y <= centre) == (b.y <= centre)) continue;
      crossings.push_back(a.x + (centre - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      int left = static_cast<int>(std::ceil(crossings[i] - 0.5));
      int right = static_cast<int>(std::ceil(crossings[i + 1] - 0.5));
      FillArea(context, RECT{left, y, right, y + 1}, color);
    }
  }
}

}  // namespace

}  // namespace platform::gdi

namespace platform {

using gdi::BrushColour;
using gdi::DeviceContext;
using gdi::FillArea;
using gdi::FindContext;

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context || rect == nullptr) return 0;
  std::optional<COLORREF> color = BrushColour(brush);
  if (!color) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  FillArea(*context, *rect, *color);
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context || rect == nullptr) return 0;
  std::optional<COLORREF> color = BrushColour(brush);
  if (!color) return 0;
  const RECT& r = *rect;
  if (IsRectEmpty(r)) return 1;
  FillArea(*context, RECT{r.left, r.top, r.right, r.top + 1}, *color);
  FillArea(*context, RECT{r.left, r.bottom - 1, r.right, r.bottom}, *color);
  FillArea(*context, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, *color);
  FillArea(*context, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, *color);
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context || rect == nullptr) return FALSE;
  const gdi::Surface& target = *context->target();
  gdi::ForEachPixel(*context, *rect, [&](BYTE* pixel, int, int) {
    target.WritePixel(pixel, ~target.ReadPixel(pixel) & 0x00FFFFFFu);
  });
  return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return FALSE;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  int inset = 0;
  if (gdi::HasPen(*context)) {
    const gdi::PenObject& pen = context->pen();
    int w = pen.width;
    FillArea(*context, RECT{left, top, right, std::min(top + w, bottom)}, pen.color);
    FillArea(*context, RECT{left, std::max(bottom - w, top), right, bottom}, pen.color);
    FillArea(*context, RECT{left, top + w, std::min(left + w, right), bottom - w}, pen.color);
    FillArea(*context, RECT{std::max(right - w, left), top + w, right, bottom - w}, pen.color);
    inset = w;
  }
  if (!context->brush().null_brush) {
    FillArea(*context, RECT{left + inset, top + inset, right - inset, bottom - inset},
             context->brush().color);
  }
  return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return FALSE;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const double rx = (right - left) / 2.0;
  const double ry = (bottom - top) / 2.0;
  if (rx <= 0 || ry <= 0) return TRUE;
  const double cx = left + rx;
  const double cy = top + ry;
  auto inside = [&](int x, int y, double shrink) {
    double a = rx - shrink;
    double b = ry - shrink;
    if (a <= 0 || b <= 0) return false;
    double nx = (x + 0.5 - cx) / a;
    double ny = (y + 0.5 - cy) / b;
    return nx * nx + ny * ny <= 1.0;
  };
  // Each row of an ellipse is one span; the pen's ring is the span less the
  // span of the ellipse shrunk by the pen's width.
  const bool pen = gdi::HasPen(*context);
  const int width = pen ? context->pen().width : 0;
  auto span = [&](int y, double shrink) {
    int first = right;
    int last = left;
    for (int x = left; x < right; ++x) {
      if (inside(x, y, shrink)) {
        first = std::min(first, x);
        last = x + 1;
      }
    }
    return std::pair{first, last};
  };
  for (int y = top; y < bottom; ++y) {
    auto [outer_left, outer_right] = span(y, 0);
    if (outer_left >= outer_right) continue;
    auto [inner_left, inner_right] =
        width > 0 ? span(y, width) : std::pair{outer_left, outer_right};
    if (inner_left >= inner_right) inner_left = inner_right = outer_right;
    if (pen) {
      FillArea(*context, RECT{outer_left, y, inner_left, y + 1}, context->pen().color);
      FillArea(*context, RECT{inner_right, y, outer_right, y + 1}, context->pen().color);
    }
    if (!context->brush().null_brush) {
      FillArea(*context, RECT{inner_left, y, inner_right, y + 1}, context->brush().color);
    }
  }
  return TRUE;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return FALSE;
  if (previous != nullptr) *previous = context->position;
  context->position = {x, y};
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return FALSE;
  gdi::DrawLine(*context, context->position, POINT{x, y});
  context->position = {x, y};
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return FALSE;
  if (points == nullptr || count < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (int i = 0; i + 1 < count; ++i) gdi::DrawLine(*context, points[i], points[i + 1]);
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return FALSE;
  if (points == nullptr || count < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!context->brush().null_brush) {
    gdi::FillPolygon(*context, points, count, context->brush().color);
  }
  for (int i = 0; i < count; ++i) gdi::DrawLine(*context, points[i], points[(i + 1) % count]);
  return TRUE;
}

}  // namespace platform
