#include "overview_inset.h"

#include <memory>

#include "picture_fit.h"
#include "platform/gdi_objects.h"
#include "platform/messages.h"
#include "platform/window_paint.h"
#include "window_class.h"
#include "zoom_geometry.h"

namespace gallery {

namespace {

using namespace platform;

constexpr char kOverviewClass[] = "Overview";
constexpr COLORREF kOverviewBackground = RGB(127, 127, 255);
constexpr COLORREF kAmber = RGB(255, 207, 0);
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kHideAfterMs = 2000;

struct Overview {
  std::unique_ptr<PictureSurface> surface = PictureSurface::Create(kOverviewBox, kOverviewBox);
  int picture_width = 0;
  int picture_height = 0;
  FittedSize fitted;
  POINT box;  // the box's top-left corner in the view
  RECT visible{};
};

// One zoom view at a time, so one inset.
std::unique_ptr<Overview> overview_state;

void StartHideTimer(HWND overview) { SetTimer(overview, kHideTimer, kHideAfterMs, nullptr); }

void Outline(HDC dc, const RECT& rect, COLORREF colour, int grow) {
  OwnedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
  ScopedSelect select_pen(dc, pen.get());
  ScopedSelect select_brush(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, rect.left - grow, rect.top - grow, rect.right + grow, rect.bottom + grow);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (overview_state && overview_state->surface) {
    const Overview& state = *overview_state;
    BitBlt(dc, 0, 0, kOverviewBox, kOverviewBox, state.surface->dc(), 0, 0, SRCCOPY);
    Outline(dc, state.visible, RGB(0, 0, 0), 1);
    Outline(dc, state.visible, RGB(0, 0, 0), -1);
    Outline(dc, state.visible, kAmber, 0);
  }
  EndPaint(window, &paint);
}

// Where a tap at (x, y) of the inset lies in the picture.
LPARAM PicturePoint(LPARAM tap) {
  const Overview& state = *overview_state;
  if (state.fitted.width <= 0 || state.fitted.height <= 0) return 0;
  const int x = GET_X_LPARAM(tap) * state.picture_width / state.fitted.width;
  const int y = GET_Y_LPARAM(tap) * state.picture_height / state.fitted.height;
  return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

LRESULT OverviewProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      if (message == WM_MOUSEMOVE && !(wparam & MK_LBUTTON)) return 0;
      if (overview_state)
        SendMessage(GetParent(window), WM_COMMAND, kOverviewId, PicturePoint(lparam));
      return 0;
    case WM_TIMER:
      if (wparam == kHideTimer) HideOverview(window);
      return 0;
    case WM_DESTROY:
      overview_state.reset();
      return 0;
    default:
      return DefWindowProc(window, message, wparam, lparam);
  }
}

}  // namespace

HWND CreateOverview(HWND view, HINSTANCE instance) {
  RegisterWindowClass(kOverviewClass, OverviewProcedure, instance, NULL_BRUSH);
  overview_state = std::make_unique<Overview>();
  RECT client;
  GetClientRect(view, &client);
  overview_state->box = {client.right - kOverviewBox, client.bottom - kOverviewBox};
  HWND overview = CreateWindowEx(
      0, kOverviewClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER, overview_state->box.x,
      overview_state->box.y, kOverviewBox, kOverviewBox, view,
      reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kOverviewId)), instance, nullptr);
  if (overview) StartHideTimer(overview);
  return overview;
}

void SetOverviewPicture(HWND overview, const PictureSurface& picture) {
  if (!overview_state || !overview_state->surface) return;
  Overview& state = *overview_state;
  state.picture_width = picture.width();
  state.picture_height = picture.height();
  state.fitted = FitWithoutEnlarging(picture.width(), picture.height(), kOverviewBox, kOverviewBox);
  state.surface->Fill(kOverviewBackground);
  SetStretchBltMode(state.surface->dc(), HALFTONE);
  StretchBlt(state.surface->dc(), 0, 0, state.fitted.width, state.fitted.height, picture.dc(), 0, 0,
             picture.width(), picture.height(), SRCCOPY);
  // The border takes a pixel on each side; the whole inset stays inside
  // the view.
  const int width = state.fitted.width + 2;
  const int height = state.fitted.height + 2;
  MoveWindow(overview, state.box.x + kOverviewBox - width, state.box.y + kOverviewBox - height,
             width, height, TRUE);
}

void UpdateOverviewRectangle(HWND overview, const RECT& visible) {
  if (!overview_state) return;
  Overview& state = *overview_state;
  const InsetRectangle inset = InsetRectangleFor(visible, state.picture_width, state.picture_height,
                                                 state.fitted.width, state.fitted.height);
  state.visible = inset.rect;
  if (inset.whole) {
    HideOverview(overview);
    return;
  }
  ShowWindow(overview, SW_SHOW);
  InvalidateRect(overview, nullptr, FALSE);
  StartHideTimer(overview);
}

void HideOverview(HWND overview) {
  KillTimer(overview, kHideTimer);
  ShowWindow(overview, SW_HIDE);
}

}  // namespace gallery
