#include "platform/buffered_paint.h"

namespace platform {

BufferedPaint::BufferedPaint(HWND hwnd) : hwnd_(hwnd), window_dc_(BeginPaint(hwnd, &paint_)) {
  GetClientRect(hwnd, &client_);
  memory_dc_ = CreateCompatibleDC(window_dc_);
  bitmap_.Reset(CreateCompatibleBitmap(window_dc_, client_.right, client_.bottom));
  previous_bitmap_ = SelectObject(memory_dc_, bitmap_.get());
}

BufferedPaint::~BufferedPaint() {
  BitBlt(window_dc_, 0, 0, client_.right, client_.bottom, memory_dc_, 0, 0, SRCCOPY);
  SelectObject(memory_dc_, previous_bitmap_);
  DeleteDC(memory_dc_);
  EndPaint(hwnd_, &paint_);
}

}  // namespace platform
