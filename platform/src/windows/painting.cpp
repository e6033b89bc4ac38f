// Invalid areas, WM_PAINT and the drawing contexts of windows.
#include "gdi/window_dc.h"
#include "platform/last_error.h"
#include "platform/screen.h"
#include "platform/window_paint.h"
#include "windows/window_manager.h"

namespace platform {

using windows::Region;
using windows::Window;
using windows::WindowManager;

namespace {

// The window's client area, or the part of it given.
RECT ClientPart(const Window& window, const RECT* rect) {
  RECT client = WindowManager::ClientRect(window);
  if (!rect) return client;
  RECT part;
  IntersectRect(&part, &client, rect);
  return part;
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  if (!hwnd) {
    manager.InvalidateScreenArea(lock, RECT{0, 0, screen::kWidth, screen::kHeight});
    return TRUE;
  }
  Window* window = manager.Find(lock, hwnd);
  if (!window) {
    lock.unlock();
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const RECT part = ClientPart(*window, rect);
  if (IsRectEmpty(part)) return TRUE;
  window->invalid.Add(part);
  if (erase) window->erase = true;
  manager.kernel().StateChanged(lock);  // its thread may be waiting for WM_PAINT
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  Window* window = manager.Find(lock, hwnd);
  if (!window) {
    lock.unlock();
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (rect) {
    window->invalid.Subtract(*rect);
  } else {
    window->invalid.Clear();
  }
  if (window->invalid.empty()) {
    window->erase = false;
    manager.PaintDone(lock, *window);
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  if (!window) return FALSE;
  if (rect) *rect = window->invalid.Bounds();
  return window->invalid.empty() ? FALSE : TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  {
    auto lock = manager.kernel().Acquire();
    const Window* window = manager.Find(lock, hwnd);
    if (!window) return FALSE;
    if (window->invalid.empty() || !manager.Visible(lock, *window)) return TRUE;
  }
  SendMessage(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  if (!paint) return nullptr;
  WindowManager& manager = WindowManager::Get();
  Region clip;
  POINT origin;
  bool erase = false;
  {
    auto lock = manager.kernel().Acquire();
    Window* window = manager.Find(lock, hwnd);
    if (!window) {
      lock.unlock();
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    Region invalid = std::move(window->invalid);
    window->invalid.Clear();
    erase = window->erase;
    window->erase = false;
    paint->rcPaint = invalid.Bounds();
    origin = manager.ClientOrigin(lock, *window);
    invalid.Offset(origin.x, origin.y);
    clip = manager.VisibleRegion(lock, *window, true);
    clip.Intersect(invalid);
    ++manager.change_count;
  }
  paint->hdc = gdi::CreateWindowDC(manager.screen(), origin, clip.rects());
  paint->fErase = FALSE;
  if (erase) {
    const bool erased =
        SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) != 0;
    paint->fErase = erased ? FALSE : TRUE;
  }
  return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  gdi::ReleaseWindowDC(paint->hdc);
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  ++manager.change_count;
  if (Window* window = manager.Find(lock, hwnd)) manager.PaintDone(lock, *window);
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  Region clip;
  POINT origin;
  {
    auto lock = manager.kernel().Acquire();
    if (!hwnd) {
      clip = Region(RECT{0, 0, screen::kWidth, screen::kHeight});
    } else {
      const Window* window = manager.Find(lock, hwnd);
      if (!window) {
        lock.unlock();
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
      }
      origin = manager.ClientOrigin(lock, *window);
      clip = manager.VisibleRegion(lock, *window, true);
    }
    ++manager.change_count;
  }
  return gdi::CreateWindowDC(manager.screen(), origin, clip.rects());
}

int ReleaseDC(HWND, HDC dc) {
  if (!dc) return 0;
  gdi::ReleaseWindowDC(dc);
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  ++manager.change_count;
  return 1;
}

}  // namespace platform
