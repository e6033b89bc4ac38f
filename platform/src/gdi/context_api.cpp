// The drawing-context calls: making and deleting memory contexts, selecting
// objects, colours and modes.
#include <utility>

#include "gdi/device_context.h"
#include "platform/last_error.h"
#include "platform/screen.h"

namespace platform {

using gdi::ContextTable;
using gdi::DeviceContext;
using gdi::FindContext;
using gdi::ObjectTable;

HDC CreateCompatibleDC(HDC compatible_with) {
  std::shared_ptr<DeviceContext> device_context;
  if (compatible_with != nullptr) {
    device_context = FindContext(compatible_with);
    if (!device_context) return nullptr;
  }
  auto context = std::make_shared<DeviceContext>();
  // A memory context made for a display other than the screen answers for
  // that display, and is lost with it.
  if (device_context) context->set_device(device_context->device());
  return ContextTable::Instance().Add(std::move(context));
}

BOOL DeleteDC(HDC dc) {
  // Contexts of a lost display can still be deleted.
  std::shared_ptr<DeviceContext> context = ContextTable::Instance().Find(dc);
  if (!context || (!context->is_memory() && !context->device())) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  ContextTable::Instance().Remove(dc);
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return nullptr;
  std::shared_ptr<GdiObjectTag> found = ObjectTable::Instance().FindAny(object);
  if (!found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return context->Select(found).get();
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  return context ? context->Current(type).get() : nullptr;
}

namespace {

// Sets a field of the context and returns its previous value, or `failed`.
template <typename T>
T Exchange(HDC dc, T DeviceContext::*field, T value, T failed) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return failed;
  return std::exchange((*context).*field, value);
}

template <typename T>
T Read(HDC dc, T DeviceContext::*field, T failed) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  return context ? (*context).*field : failed;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
  return Exchange(dc, &DeviceContext::text_color, color, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) { return Read(dc, &DeviceContext::text_color, CLR_INVALID); }
COLORREF SetBkColor(HDC dc, COLORREF color) {
  return Exchange(dc, &DeviceContext::bk_color, color, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) { return Read(dc, &DeviceContext::bk_color, CLR_INVALID); }

int SetBkMode(HDC dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return Exchange(dc, &DeviceContext::bk_mode, mode, 0);
}
int GetBkMode(HDC dc) { return Read(dc, &DeviceContext::bk_mode, 0); }

int SetStretchBltMode(HDC dc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return Exchange(dc, &DeviceContext::stretch_mode, mode, 0);
}
int GetStretchBltMode(HDC dc) { return Read(dc, &DeviceContext::stretch_mode, 0); }

COLORREF GetPixel(HDC dc, int x, int y) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return CLR_INVALID;
  int target_x = x + context->origin().x;
  int target_y = y + context->origin().y;
  if (!context->MayDraw(target_x, target_y)) return CLR_INVALID;
  return context->target()->GetPixel(target_x, target_y);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return CLR_INVALID;
  int target_x = x + context->origin().x;
  int target_y = y + context->origin().y;
  if (!context->MayDraw(target_x, target_y)) return CLR_INVALID;
  context->target()->SetPixel(target_x, target_y, color);
  return context->target()->GetPixel(target_x, target_y);
}

int GetDeviceCaps(HDC dc, int index) {
  std::shared_ptr<DeviceContext> context = FindContext(dc);
  if (!context) return 0;
  // The device of a context is the display it was made for (the
  // handheld's screen unless CreateDC made it), whatever bitmap a memory
  // context holds.
  constexpr DisplayMode kScreen{screen::kWidth, screen::kHeight, 16};
  const DisplayMode mode = context->device() ? context->device()->mode : kScreen;
  switch (index) {
    case HORZRES:
      return mode.width;
    case VERTRES:
      return mode.height;
    case BITSPIXEL:
      return mode.bits_per_pixel;
    case PLANES:
      return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    default:
      return 0;
  }
}

}  // namespace platform
