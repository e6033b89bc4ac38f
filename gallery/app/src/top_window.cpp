#include "top_window.h"

#include "browser_window.h"
#include "gallery/app/orsagal.h"
#include "gallery_state.h"
#include "help.h"
#include "platform/gdi.h"
#include "platform/shell_state.h"
#include "platform/window_paint.h"
#include "window_class.h"

namespace gallery {

namespace {

using namespace platform;

LRESULT TopProcedure(HWND top, UINT message, WPARAM wparam, LPARAM lparam) {
  GalleryState& gallery = Gallery();
  switch (message) {
    case WM_CREATE:
      gallery.top = top;
      return CreateBrowser(top, gallery.instance) ? 0 : -1;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && gallery.browser) SetForegroundWindow(gallery.browser);
      return 0;
    case kMessageBrowsePath:
      if (gallery.browser) PostMessage(gallery.browser, message, wparam, lparam);
      return 0;
    case WM_HELP:
      ShowHelp(kHelpOverview);
      return TRUE;
    case WM_DESTROY:
      if (gallery.browser) DestroyWindow(gallery.browser);
      gallery.top = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(top, message, wparam, lparam);
  }
}

}  // namespace

HWND CreateTopWindow(HINSTANCE instance, int show) {
  RegisterWindowClass(kTopWindowClass, TopProcedure, instance, GRAY_BRUSH, CS_HREDRAW | CS_VREDRAW);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  HWND top = CreateWindowEx(0, kTopWindowClass, Gallery().title, WS_VISIBLE, work.left, work.top,
                            work.right - work.left, work.bottom - work.top, nullptr, nullptr,
                            instance, nullptr);
  if (!top) return nullptr;
  ShowWindow(top, show);
  UpdateWindow(top);
  return top;
}

}  // namespace gallery
