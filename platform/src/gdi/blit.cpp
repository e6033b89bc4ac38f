// Copies between contexts: BitBlt with the raster operations the programs
// use, PatBlt, StretchBlt (nearest or filtered) and transparent copies.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "gdi/painter.h"
#include "platform/last_error.h"

namespace platform::gdi {

namespace {

// Where a blit reads: a surface and where the source's (0,0) lies on it.
struct Source {
  std::shared_ptr<Surface> keep;  // holds a copy when source and target are one
  const Surface* surface = nullptr;
  POINT origin{};

  COLORREF Get(int x, int y) const { return surface->GetPixel(x + origin.x, y + origin.y); }
};

Source SourceOf(const DeviceContext& source, const DeviceContext& dest) {
  Source view{nullptr, source.target(), source.origin()};
  // Copying within one surface (scrolling) reads from a snapshot so that
  // overlapping rectangles come out right.
  if (source.target() == dest.target()) {
    view.keep = std::make_shared<Surface>(*source.target());
    view.surface = view.keep.get();
  }
  return view;
}

// The value of a raster operation on source and destination colours;
// nothing for an operation this platform does not have.
std::optional<COLORREF> Combine(DWORD rop, COLORREF source, COLORREF dest, COLORREF brush) {
  switch (rop) {
    case SRCCOPY:
      return source;
    case SRCPAINT:
      return source | dest;
    case SRCAND:
      return source & dest;
    case SRCINVERT:
      return (source ^ dest) & 0x00FFFFFFu;
    case NOTSRCCOPY:
      return ~source & 0x00FFFFFFu;
    case DSTINVERT:
      return ~dest & 0x00FFFFFFu;
    case PATCOPY:
      return brush;
    case BLACKNESS:
      return RGB(0, 0, 0);
    case WHITENESS:
      return RGB(255, 255, 255);
    default:
      return std::nullopt;
  }
}

bool UsesSource(DWORD rop) {
  return rop != DSTINVERT && rop != PATCOPY && rop != BLACKNESS && rop != WHITENESS;
}

COLORREF BrushOf(const DeviceContext& context) {
  return context.brush().null_brush ? RGB(0, 0, 0) : context.brush().color;
}

// A straight copy between surfaces of one format: row by row.
void CopyRows(const DeviceContext& dest, const RECT& area, const Source& source, int dx, int dy) {
  Surface& target = *dest.target();
  const int bpp = target.bytes_per_pixel();
  for (const RECT& piece : dest.Visible(area)) {
    // Source coordinates of the piece, clipped to the source surface.
    int left = piece.left - dest.origin().x + dx + source.origin.x;
    int top = piece.top - dest.origin().y + dy + source.origin.y;
    RECT wanted{left, top, left + piece.right - piece.left, top + piece.bottom - piece.top};
    RECT bounds = source.surface->Bounds();
    RECT readable;
    if (!IntersectRect(&readable, &wanted, &bounds)) continue;
    const std::size_t bytes = static_cast<std::size_t>(readable.right - readable.left) * bpp;
    for (int y = readable.top; y < readable.bottom; ++y) {
      BYTE* out = target.Row(piece.top + (y - top)) + (piece.left + readable.left - left) * bpp;
      std::memcpy(out, source.surface->Row(y) + readable.left * bpp, bytes);
    }
  }
}

// Source colour at a destination pixel of a stretch, filtered: a box
// average when shrinking, bilinear when enlarging.
class FilteredSampler {
 public:
  FilteredSampler(const Source& source, double scale_x, double scale_y)
      : source_(source), scale_x_(scale_x), scale_y_(scale_y) {}

  // (u, v): the destination pixel's centre mapped into source coordinates.
  COLORREF Sample(double u, double v) const {
    if (scale_x_ <= 1.0 && scale_y_ <= 1.0) return Bilinear(u, v);
    return Box(u, v);
  }

 private:
  COLORREF Bilinear(double u, double v) const {
    double fx = u - 0.5;
    double fy = v - 0.5;
    int x0 = static_cast<int>(std::floor(fx));
    int y0 = static_cast<int>(std::floor(fy));
    double ax = fx - x0;
    double ay = fy - y0;
    double sum[3] = {0, 0, 0};
    double weight = 0;
    for (int j = 0; j < 2; ++j) {
      for (int i = 0; i < 2; ++i) {
        double w = (i ? ax : 1 - ax) * (j ? ay : 1 - ay);
        COLORREF c = source_.Get(Clamp(x0 + i, kX), Clamp(y0 + j, kY));
        if (c == CLR_INVALID || w == 0) continue;
        Accumulate(sum, c, w);
        weight += w;
      }
    }
    return Average(sum, weight);
  }

  COLORREF Box(double u, double v) const {
    double half_x = std::max(scale_x_, 1.0) / 2;
    double half_y = std::max(scale_y_, 1.0) / 2;
    int x0 = static_cast<int>(std::floor(u - half_x));
    int x1 = std::max(x0 + 1, static_cast<int>(std::ceil(u + half_x)));
    int y0 = static_cast<int>(std::floor(v - half_y));
    int y1 = std::max(y0 + 1, static_cast<int>(std::ceil(v + half_y)));
    double sum[3] = {0, 0, 0};
    double weight = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        COLORREF c = source_.Get(Clamp(x, kX), Clamp(y, kY));
        if (c == CLR_INVALID) continue;
        Accumulate(sum, c, 1);
        weight += 1;
      }
    }
    return Average(sum, weight);
  }

  enum Axis { kX, kY };
  // Keeps samples at the edge of the source inside it.
  int Clamp(int value, Axis axis) const {
    const int low = axis == kX ? -source_.origin.x : -source_.origin.y;
    const int high = low + (axis == kX ? source_.surface->width() : source_.surface->height()) - 1;
    return std::clamp(value, low, std::max(low, high));
  }
  static void Accumulate(double* sum, COLORREF c, double w) {
    sum[0] += GetRValue(c) * w;
    sum[1] += GetGValue(c) * w;
    sum[2] += GetBValue(c) * w;
  }
  static COLORREF Average(const double* sum, double weight) {
    if (weight <= 0) return CLR_INVALID;
    auto channel = [&](double s) { return static_cast<BYTE>(std::lround(s / weight)); };
    return RGB(channel(sum[0]), channel(sum[1]), channel(sum[2]));
  }

  const Source& source_;
  double scale_x_;
  double scale_y_;
};

// A rectangle side with its mirroring taken out: a negative length runs
// leftwards (upwards) from the start pixel itself, as mirrored blits give it.
struct Span {
  int start;
  int length;
  bool mirrored;
};
Span Normalise(int start, int length) {
  return length < 0 ? Span{start + length + 1, -length, true} : Span{start, length, false};
}

// Copies the source rectangle scaled into the destination one, calling
// put(pixel, colour) for every destination pixel with the source colour.
template <typename Put>
bool Stretch(const DeviceContext& dest, int x, int y, int width, int height, const Source& source,
             int source_x, int source_y, int source_width, int source_height, bool filtered,
             Put&& put) {
  Span dx = Normalise(x, width);
  Span dy = Normalise(y, height);
  Span sx = Normalise(source_x, source_width);
  Span sy = Normalise(source_y, source_height);
  if (dx.length == 0 || dy.length == 0 || sx.length == 0 || sy.length == 0) return false;
  const bool flip_x = dx.mirrored != sx.mirrored;
  const bool flip_y = dy.mirrored != sy.mirrored;
  const double scale_x = static_cast<double>(sx.length) / dx.length;
  const double scale_y = static_cast<double>(sy.length) / dy.length;
  FilteredSampler sampler(source, scale_x, scale_y);
  const Surface& target = *dest.target();
  RECT area{dx.start, dy.start, dx.start + dx.length, dy.start + dy.length};
  ForEachPixel(dest, area, [&](BYTE* pixel, int tx, int ty) {
    int col = tx - dest.origin().x - dx.start;
    int row = ty - dest.origin().y - dy.start;
    if (flip_x) col = dx.length - 1 - col;
    if (flip_y) row = dy.length - 1 - row;
    COLORREF color;
    if (filtered) {
      color = sampler.Sample(sx.start + (col + 0.5) * scale_x, sy.start + (row + 0.5) * scale_y);
    } else {
      // Integer mapping of pixel centres: the same pixels on every run.
      int u = sx.start + static_cast<int>((2LL * col + 1) * sx.length / (2LL * dx.length));
      int v = sy.start + static_cast<int>((2LL * row + 1) * sy.length / (2LL * dy.length));
      color = source.Get(u, v);
    }
    if (color != CLR_INVALID) put(target, pixel, color);
  });
  return true;
}

}  // namespace

}  // namespace platform::gdi

namespace platform {

using gdi::DeviceContext;
using gdi::FindContext;
using gdi::Surface;

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop) {
  std::shared_ptr<DeviceContext> to = FindContext(dest);
  if (!to) return FALSE;
  if (!gdi::Combine(rop, 0, 0, 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT area{x, y, x + width, y + height};
  const COLORREF brush = gdi::BrushOf(*to);
  if (!gdi::UsesSource(rop)) {
    const Surface& target = *to->target();
    gdi::ForEachPixel(*to, area, [&](BYTE* pixel, int, int) {
      target.WritePixel(pixel, *gdi::Combine(rop, 0, target.ReadPixel(pixel), brush));
    });
    return TRUE;
  }
  std::shared_ptr<DeviceContext> from = FindContext(source);
  if (!from) return FALSE;
  gdi::Source view = gdi::SourceOf(*from, *to);
  if (rop == SRCCOPY && view.surface->bits_per_pixel() == to->target()->bits_per_pixel()) {
    gdi::CopyRows(*to, area, view, source_x - x, source_y - y);
    return TRUE;
  }
  const Surface& target = *to->target();
  gdi::ForEachPixel(*to, area, [&](BYTE* pixel, int tx, int ty) {
    COLORREF color =
        view.Get(tx - to->origin().x - x + source_x, ty - to->origin().y - y + source_y);
    if (color == CLR_INVALID) return;
    target.WritePixel(pixel, *gdi::Combine(rop, color, target.ReadPixel(pixel), brush));
  });
  return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  if (gdi::UsesSource(rop)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return BitBlt(dc, x, y, width, height, nullptr, 0, 0, rop);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                int source_y, int source_width, int source_height, DWORD rop) {
  std::shared_ptr<DeviceContext> to = FindContext(dest);
  std::shared_ptr<DeviceContext> from = FindContext(source);
  if (!to || !from) return FALSE;
  if (rop != SRCCOPY) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  gdi::Source view = gdi::SourceOf(*from, *to);
  bool filtered = to->stretch_mode == HALFTONE;
  return gdi::Stretch(*to, x, y, width, height, view, source_x, source_y, source_width,
                      source_height, filtered,
                      [](const Surface& target, BYTE* pixel, COLORREF color) {
                        target.WritePixel(pixel, color);
                      })
             ? TRUE
             : FALSE;
}

namespace {

BOOL TransparentFrom(int x, int y, int width, int height, const std::shared_ptr<DeviceContext>& to,
                     const gdi::Source& view, int source_x, int source_y, int source_width,
                     int source_height, COLORREF transparent) {
  // The key as the source's pixels hold it.
  const COLORREF key = view.surface->Quantize(transparent);
  return gdi::Stretch(*to, x, y, width, height, view, source_x, source_y, source_width,
                      source_height, false,
                      [key](const Surface& target, BYTE* pixel, COLORREF color) {
                        if (color != key) target.WritePixel(pixel, color);
                      })
             ? TRUE
             : FALSE;
}

}  // namespace

BOOL TransparentImage(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                      int source_y, int source_width, int source_height, COLORREF transparent) {
  std::shared_ptr<DeviceContext> to = FindContext(dest);
  std::shared_ptr<DeviceContext> from = FindContext(source);
  if (!to || !from) return FALSE;
  return TransparentFrom(x, y, width, height, to, gdi::SourceOf(*from, *to), source_x, source_y,
                         source_width, source_height, transparent);
}

BOOL TransparentImage(HDC dest, int x, int y, int width, int height, HBITMAP source, int source_x,
                      int source_y, int source_width, int source_height, COLORREF transparent) {
  std::shared_ptr<DeviceContext> to = FindContext(dest);
  if (!to) return FALSE;
  auto bitmap = gdi::ObjectTable::Instance().Find<gdi::BitmapObject>(source);
  if (!bitmap) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  gdi::Source view{nullptr, bitmap->surface.get(), POINT{}};
  if (view.surface == to->target()) {
    view.keep = std::make_shared<Surface>(*view.surface);
    view.surface = view.keep.get();
  }
  return TransparentFrom(x, y, width, height, to, view, source_x, source_y, source_width,
                         source_height, transparent);
}

}  // namespace platform
