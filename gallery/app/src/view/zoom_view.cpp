// The zoom view holds the shown picture whole in a surface of its own size
// and paints the visible part of it: 1:1 at 100 %, stretched otherwise,
// black where the area reaches past the picture. Each input is handled in
// its own short function behind one dispatch.
#include "zoom_view.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>

#include "file_list_access.h"
#include "gallery/app/orsagal.h"
#include "gallery/resources/commands.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "media_calls.h"
#include "overview_inset.h"
#include "picture_surface.h"
#include "platform/controls.h"
#include "platform/cursor.h"
#include "platform/gdi_objects.h"
#include "platform/menu_bar.h"
#include "platform/message_box.h"
#include "platform/shell_state.h"
#include "platform/window_paint.h"
#include "resource_texts.h"
#include "window_class.h"
#include "zoom_geometry.h"
#include "zoom_keys.h"
#include "zoom_painting.h"

namespace gallery {

namespace {

using namespace platform;

constexpr char kZoomViewClass[] = "Browser";
constexpr int kMenuBarHeight = 26;
constexpr RECT kLabelPlace{130, 4, 48, 16};  // left, top, width, height in the bar

struct ZoomView {
  HWND window = nullptr;
  HWND browser = nullptr;
  HWND label = nullptr;
  HWND overview = nullptr;
  std::unique_ptr<PictureSurface> picture;
  ZoomGeometry geometry;
  POINT last_tap;
  int index = 0;
};

std::unique_ptr<ZoomView> zoom_view;

void UpdateLabel(const ZoomView& view) {
  if (view.label) SetWindowText(view.label, ZoomLabel(view.geometry.zoom));
}

void UpdateOverview(const ZoomView& view) {
  if (view.overview && view.picture)
    UpdateOverviewRectangle(view.overview, VisiblePart(view.geometry));
}

void Repaint(const ZoomView& view) { InvalidateRect(view.window, nullptr, FALSE); }

void TellReduced(const ZoomView& view, int percent) {
  char text[256];
  std::snprintf(text, sizeof text, ResourceText(kStringReduced).c_str(), percent);
  MessageBox(view.window, text, ResourceText(kStringTitle), MB_OK | MB_ICONINFORMATION);
}

void ShowEntry(ZoomView& view, int index) {
  view.index = index;
  view.geometry.zoom = kActualZoom;
  UpdateLabel(view);
  // The shown picture goes first: a camera still is 3.7 MB, and its memory
  // is the next one's.
  view.picture.reset();
  std::unique_ptr<imaging::Bitmap> bitmap;
  imaging::ImageInfo info;
  int result = imaging::kLoadCannotOpen;
  {
    platform::WaitCursor wait;
    const std::string path = EntryPath(index);
    std::lock_guard lock(MediaLock());
    if (Imaging().is_open()) result = Imaging().load_image(path.c_str(), &bitmap, 0, 0, &info);
  }
  // The view paints straight from the library's bitmap, which it keeps.
  if (result == imaging::kLoadOk) view.picture = PictureSurface::FromPicture(std::move(bitmap));
  if (!view.picture) {
    if (view.overview) HideOverview(view.overview);
    Repaint(view);
    return;
  }
  view.geometry.picture_width = view.picture->width();
  view.geometry.picture_height = view.picture->height();
  if (info.height > 0 &&
      (view.picture->width() != info.width || view.picture->height() != info.height)) {
    TellReduced(view, view.picture->height() * 100 / info.height);
  }
  CentrePicture(view.geometry);
  if (view.overview) SetOverviewPicture(view.overview, *view.picture);
  UpdateOverview(view);
  Repaint(view);
}

void ShowNeighbour(ZoomView& view, int step) {
  const int count = EntryCount();
  if (count <= 0) return;
  ShowEntry(view, ((view.index + step) % count + count) % count);
}

void PanBy(ZoomView& view, int dx, int dy) {
  Pan(view.geometry, dx, dy);
  Repaint(view);
}

void PanAndOutline(ZoomView& view, int dx, int dy) {
  PanBy(view, dx, dy);
  UpdateOverview(view);
}

template <typename Step>
void ZoomStep(ZoomView& view, Step step) {
  if (!view.picture) return;
  step(view.geometry);
  UpdateOverview(view);
  UpdateLabel(view);
  Repaint(view);
}

// The inset asks to centre the view on picture point (x, y).
void CentreOn(ZoomView& view, LPARAM point) {
  const ZoomGeometry& g = view.geometry;
  const int x = LOWORD(point);
  const int y = static_cast<WORD>(HIWORD(point));
  PanBy(view, x * g.zoom / 1000 - g.area_width / 2 - g.offset_x,
        y * g.zoom / 1000 - g.area_height / 2 - g.offset_y);
  UpdateOverview(view);
}

void OnCommand(ZoomView& view, UINT command, LPARAM lparam) {
  switch (command) {
    case IDOK:
      DestroyWindow(view.window);
      break;
    case kCommandPreviousPicture:
      ShowNeighbour(view, -1);
      break;
    case kCommandNextPicture:
      ShowNeighbour(view, +1);
      break;
    case kCommandZoomOut:
      ZoomStep(view, ZoomOut);
      break;
    case kCommandZoomIn:
      ZoomStep(view, ZoomIn);
      break;
    case kCommandZoomToFit:
      ZoomStep(view, ZoomToFit);
      break;
    case kCommandActualSize:
      ZoomStep(view, ZoomToActualSize);
      break;
    case kOverviewId:
      CentreOn(view, lparam);
      break;
    default:
      break;
  }
}

void OnKey(ZoomView& view, UINT key) {
  RECT client;
  GetClientRect(view.window, &client);
  const ZoomKey pressed =
      ZoomKeyFor(key, view.geometry.area_width, view.geometry.area_height, client);
  switch (pressed.action) {
    case ZoomKeyAction::kClose:
      DestroyWindow(view.window);
      break;
    case ZoomKeyAction::kPan:
      PanAndOutline(view, pressed.dx, pressed.dy);
      break;
    case ZoomKeyAction::kZoomIn:
      ZoomStep(view, ZoomIn);
      break;
    case ZoomKeyAction::kZoomOut:
      ZoomStep(view, ZoomOut);
      break;
    case ZoomKeyAction::kPrevious:
      ShowNeighbour(view, -1);
      break;
    case ZoomKeyAction::kNext:
      ShowNeighbour(view, +1);
      break;
    case ZoomKeyAction::kNone:
      break;
  }
}

void OnStylusDown(ZoomView& view, LPARAM point) {
  view.last_tap = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  if (view.overview) HideOverview(view.overview);
}

void OnStylusMove(ZoomView& view, LPARAM point) {
  const POINT now{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  PanBy(view, view.last_tap.x - now.x, view.last_tap.y - now.y);
  view.last_tap = now;
}

void OnPaint(const ZoomView& view) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(view.window, &paint);
  PaintZoomed(dc, view.picture.get(), view.geometry);
  EndPaint(view.window, &paint);
}

HWND CreateLabel(HWND menu_bar, HINSTANCE instance) {
  return CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER,
                        kLabelPlace.left, kLabelPlace.top, kLabelPlace.right, kLabelPlace.bottom,
                        menu_bar, nullptr, instance, nullptr);
}

LRESULT OnCreate(ZoomView& view, HWND window) {
  view.window = window;
  SHMENUBARINFO bar;
  bar.hwndParent = window;
  bar.dwFlags = SHCMBF_HIDESIPBUTTON;
  bar.nToolBarId = kMenuZoomView;
  bar.hInstRes = Gallery().resources;
  bar.nBmpId = kZoomToolbarBitmap;
  bar.cBmpImages = kZoomToolbarImages;
  if (!SHCreateMenuBar(&bar)) {
    MessageBox(window, "SHCreateMenuBar Failed", "Error", MB_OK);
  } else {
    view.label = CreateLabel(bar.hwndMB, Gallery().instance);
  }
  view.overview = CreateOverview(window, Gallery().instance);
  return 0;
}

void OnDestroy(ZoomView& view) {
  if (HWND bar = SHFindMenuBar(view.window)) DestroyWindow(bar);
  PostMessage(view.browser, kMessageMakeCurrent, static_cast<WPARAM>(view.index), 0);
}

LRESULT ZoomViewProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!zoom_view) return DefWindowProc(window, message, wparam, lparam);
  ZoomView& view = *zoom_view;
  switch (message) {
    case WM_CREATE:
      return OnCreate(view, window);
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) {
        SHFullScreen(window, SHFS_SHOWTASKBAR | SHFS_HIDESIPBUTTON);
        SHSipPreference(window, SIP_DOWN);
        SetFocus(window);
      }
      return 0;
    case WM_PAINT:
      OnPaint(view);
      return 0;
    case WM_COMMAND:
      OnCommand(view, LOWORD(wparam), lparam);
      return 0;
    case WM_KEYDOWN:
      OnKey(view, static_cast<UINT>(wparam));
      return 0;
    case WM_LBUTTONDOWN:
      OnStylusDown(view, lparam);
      return 0;
    case WM_MOUSEMOVE:
      if (wparam & MK_LBUTTON) OnStylusMove(view, lparam);
      return 0;
    case WM_LBUTTONUP:
      UpdateOverview(view);
      return 0;
    case WM_DESTROY:
      OnDestroy(view);
      zoom_view.reset();
      return 0;
    default:
      return DefWindowProc(window, message, wparam, lparam);
  }
}

}  // namespace

HWND ZoomViewWindow() { return zoom_view ? zoom_view->window : nullptr; }

void OpenZoomView(HWND browser, const std::string& path) {
  if (path.empty() || zoom_view) return;
  RegisterWindowClass(kZoomViewClass, ZoomViewProcedure, Gallery().instance, BLACK_BRUSH);
  if (EntryCount() <= 0) return;
  const int index = FindEntry(path);
  if (index < 0) return;
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  zoom_view = std::make_unique<ZoomView>();
  zoom_view->browser = browser;
  zoom_view->geometry.area_width = work.right - work.left;
  zoom_view->geometry.area_height = work.bottom - work.top - kMenuBarHeight;
  HWND window = CreateWindowEx(WS_EX_NODRAG, kZoomViewClass, Gallery().title, WS_POPUP | WS_VISIBLE,
                               work.left, work.top, zoom_view->geometry.area_width,
                               zoom_view->geometry.area_height, browser, nullptr,
                               Gallery().instance, nullptr);
  if (!window) {
    zoom_view.reset();
    return;
  }
  ShowEntry(*zoom_view, index);
}

}  // namespace gallery
