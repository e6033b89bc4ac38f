#include "histogram_control.h"

#include <memory>

#include "browser_children.h"
#include "histogram_counts.h"
#include "part_commands.h"
#include "picture_surface.h"
#include "platform/gdi_objects.h"
#include "platform/window_paint.h"

namespace gallery {

namespace {

using namespace platform;

constexpr COLORREF kChannelPens[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};

std::unique_ptr<PictureSurface> histogram_surface;

PictureSurface* Surface() {
  if (!histogram_surface)
    histogram_surface = PictureSurface::Create(kHistogramWidth, kHistogramHeight);
  return histogram_surface.get();
}

void Repaint(HWND browser) { InvalidateRect(GetDlgItem(browser, kHistogram), nullptr, FALSE); }

}  // namespace

void ComputeHistogram(HWND browser, std::span<const std::uint8_t> pixels, COLORREF key) {
  PictureSurface* surface = Surface();
  if (!surface) return;
  const HistogramCounts counts = CountHistogram(pixels, key);
  surface->Fill(kHistogramBackground);
  for (std::size_t channel = 0; channel < counts.channels.size(); ++channel) {
    const auto line = HistogramLine(counts.channels[channel], kHistogramWidth, kHistogramHeight);
    OwnedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, kChannelPens[channel]));
    ScopedSelect select(surface->dc(), pen.get());
    Polyline(surface->dc(), line.data(), static_cast<int>(line.size()));
  }
  Repaint(browser);
}

void ClearHistogram(HWND browser) {
  if (PictureSurface* surface = Surface()) surface->Fill(kHistogramBackground);
  Repaint(browser);
}

LRESULT HistogramProcedure(HWND histogram, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(histogram, &paint);
      if (PictureSurface* surface = Surface()) {
        BitBlt(dc, 0, 0, surface->width(), surface->height(), surface->dc(), 0, 0, SRCCOPY);
      }
      EndPaint(histogram, &paint);
      return 0;
    }
    case WM_LBUTTONUP:
      PostMessage(GetParent(histogram), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(histogram)),
                  0);
      return 0;
    case WM_DESTROY:
      histogram_surface.reset();
      return 0;
    default:
      return DefWindowProc(histogram, message, wparam, lparam);
  }
}

}  // namespace gallery
