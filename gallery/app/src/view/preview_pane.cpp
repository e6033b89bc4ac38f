#include "preview_pane.h"

#include <memory>
#include <mutex>

#include "browser_children.h"
#include "external_display.h"
#include "media_calls.h"
#include "part_commands.h"
#include "picture_surface.h"
#include "platform/gdi_objects.h"
#include "platform/window_paint.h"

namespace gallery {

namespace {

using namespace platform;

// A tap released this close to the top-left corner says so to the browser.
constexpr int kCornerSize = 12;

std::unique_ptr<PictureSurface> pane_surface;

PictureSurface* Surface() {
  if (!pane_surface) pane_surface = PictureSurface::Create(kPaneWidth, kPaneHeight);
  return pane_surface.get();
}

bool DrawClipThumbnail(PictureSurface& surface, const std::string& path) {
  HBITMAP thumbnail;
  {
    std::lock_guard lock(MediaLock());
    thumbnail = Plugin().Thumbnail(path, kPaneWidth, kPaneHeight);
  }
  if (!thumbnail) return false;
  OwnedGdiObject<HBITMAP> owned(thumbnail);
  BITMAP size;
  if (!GetObject(thumbnail, sizeof size, &size)) return false;
  HDC source = CreateCompatibleDC(nullptr);
  {
    ScopedSelect select(source, thumbnail);
    surface.DrawFitted(source, size.bmWidth, size.bmHeight, kPaneBackground);
  }
  DeleteDC(source);
  return true;
}

bool DrawPicture(PictureSurface& surface, const std::string& path, imaging::ImageInfo* info) {
  std::unique_ptr<imaging::Bitmap> picture;
  int result;
  {
    std::lock_guard lock(MediaLock());
    if (!Imaging().is_open()) return false;
    result = Imaging().load_image(path.c_str(), &picture, kPaneWidth, kPaneHeight, info);
  }
  if (result != imaging::kLoadOk || !picture) return false;
  auto source = PictureSurface::FromPicture(std::move(picture));
  if (!source) return false;
  surface.DrawFitted(source->dc(), source->width(), source->height(), kPaneBackground);
  return true;
}

void Repaint(HWND browser) { InvalidateRect(GetDlgItem(browser, kPreviewPane), nullptr, FALSE); }

}  // namespace

bool LoadPreviewPane(HWND browser, const std::string& path, imaging::ImageInfo* info) {
  *info = {};
  PictureSurface* surface = Surface();
  if (!surface) return false;
  const bool loaded = Plugin().Handles(path) ? DrawClipThumbnail(*surface, path)
                                             : DrawPicture(*surface, path, info);
  if (!loaded) surface->Fill(kPaneBackground);
  Repaint(browser);
  return loaded;
}

void ClearPreviewPane(HWND browser) {
  if (PictureSurface* surface = Surface()) surface->Fill(kPaneBackground);
  Repaint(browser);
}

std::span<const std::uint8_t> PreviewPanePixels() {
  if (!pane_surface) return {};
  return pane_surface->bits();
}

void ReleasePreviewPane() { pane_surface.reset(); }

LRESULT PreviewPaneProcedure(HWND pane, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(pane, &paint);
      if (PictureSurface* surface = Surface()) {
        BitBlt(dc, 0, 0, surface->width(), surface->height(), surface->dc(), 0, 0, SRCCOPY);
      }
      EndPaint(pane, &paint);
      return 0;
    }
    case WM_LBUTTONUP: {
      const bool corner = GET_X_LPARAM(lparam) < kCornerSize && GET_Y_LPARAM(lparam) < kCornerSize;
      PostMessage(GetParent(pane), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(pane)),
                  corner ? 1 : 0);
      return 0;
    }
    case WM_DESTROY:
      // The browser is going: so do its pictures and its display.
      ReleasePreviewPane();
      BrowserExternalDisplay().Close();
      return 0;
    default:
      return DefWindowProc(pane, message, wparam, lparam);
  }
}

}  // namespace gallery
