// Painting a window through an off-screen bitmap of its client size: the
// painter draws into dc() and the whole picture is copied to the window in
// one block when the painter ends, so the window never shows half of it.
//
//   case WM_PAINT: {
//     platform::BufferedPaint paint(hwnd);
//     Draw(paint.dc(), paint.client());
//     return 0;
//   }
#pragma once

#include "platform/gdi.h"
#include "platform/gdi_objects.h"
#include "platform/window_paint.h"

namespace platform {

class BufferedPaint {
 public:
  explicit BufferedPaint(HWND hwnd);
  ~BufferedPaint();
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;

  // The off-screen context: the size of the client area, its contents
  // undefined until drawn.
  HDC dc() const { return memory_dc_; }
  const RECT& client() const { return client_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_;
  HDC window_dc_;
  RECT client_;
  HDC memory_dc_;
  OwnedGdiObject<HBITMAP> bitmap_;
  HGDIOBJ previous_bitmap_;
};

}  // namespace platform
