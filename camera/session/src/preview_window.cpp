// The preview window's class, creation and procedure.
#include "camera/session/preview_window.h"

#include <memory>

#include "camera/session/camera_state.h"
#include "driver/orsadrv.h"
#include "platform/window.h"
#include "platform/window_paint.h"
#include "preview_procedure.h"
#include "preview_resources.h"

namespace camera {

namespace {

constexpr platform::LONG kBoldFontHeight = 20;

platform::LRESULT PreviewProcedure(platform::HWND hwnd, platform::UINT message,
                                   platform::WPARAM wparam, platform::LPARAM lparam) {
  CameraState& camera = Camera();
  switch (message) {
    case platform::WM_CREATE:
      camera.preview_resources = MakePreviewResources();
      return 0;
    case platform::WM_DESTROY:
      camera.preview_resources.reset();
      return 0;
    case platform::WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case platform::WM_PAINT:
      PaintPreview(hwnd);
      return 0;
    case platform::WM_LBUTTONDOWN:
      if (camera.hooks.review_tap) {
        camera.hooks.review_tap(platform::GET_X_LPARAM(lparam), platform::GET_Y_LPARAM(lparam));
      }
      return 0;
    case orsadrv::WM_SIO_FRAME_READY:
      PumpFrame();
      return 0;
    default:
      return platform::DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace

std::unique_ptr<PreviewResources> MakePreviewResources() {
  auto resources = std::make_unique<PreviewResources>();
  platform::LOGFONT font;
  font.lfHeight = kBoldFontHeight;
  font.lfWeight = platform::FW_BOLD;
  resources->bold_font.reset(platform::CreateFontIndirect(&font));

  platform::BITMAPINFO info;
  info.bmiHeader.biWidth = kPreviewWidth;
  info.bmiHeader.biHeight = -kPreviewHeight;  // top-down, as the decoder writes
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  resources->back_buffer.reset(
      platform::CreateDIBSection(nullptr, &info, platform::DIB_RGB_COLORS, &bits));
  resources->back_pixels = static_cast<std::uint8_t*>(bits);
  if (!resources->bold_font || !resources->back_buffer || !bits) return nullptr;
  resources->back_dc = std::make_unique<MemoryDc>(nullptr, resources->back_buffer.get());
  if (!*resources->back_dc) return nullptr;
  return resources;
}

platform::HWND CreatePreviewWindow(platform::HWND main_window, platform::HINSTANCE instance) {
  platform::WNDCLASS window_class;
  window_class.lpfnWndProc = &PreviewProcedure;
  window_class.hInstance = instance;
  window_class.lpszClassName = kPreviewWindowClass;
  // A class left from an earlier start of the application is used as it is.
  platform::RegisterClass(&window_class);
  return platform::CreateWindowEx(0, kPreviewWindowClass, "",
                                  platform::WS_CHILD | platform::WS_VISIBLE, 0, 0, kPreviewWidth,
                                  kPreviewHeight, main_window, nullptr, instance, nullptr);
}

void InvalidatePreview() {
  const platform::HWND preview = Camera().preview_window;
  if (preview) platform::InvalidateRect(preview, nullptr, platform::FALSE);
}

}  // namespace camera
