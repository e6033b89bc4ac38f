#include "gdi/device_context.h"

#include <mutex>
#include <utility>

#include "gdi/window_dc.h"
#include "platform/last_error.h"

namespace platform::gdi {

DeviceContext::DeviceContext()
    : bitmap_(DefaultBitmap()),
      brush_(StockBrush(WHITE_BRUSH)),
      pen_(StockPen(BLACK_PEN)),
      font_(StockFont()) {
  target_ = bitmap_->surface;
}

DeviceContext::DeviceContext(std::shared_ptr<Surface> target, POINT origin,
                             std::vector<RECT> clip_rects)
    : memory_(false),
      target_(std::move(target)),
      origin_(origin),
      clip_rects_(std::move(clip_rects)),
      brush_(StockBrush(WHITE_BRUSH)),
      pen_(StockPen(BLACK_PEN)),
      font_(StockFont()) {}

std::vector<RECT> DeviceContext::Visible(const RECT& area, const RECT* extra_clip) const {
  std::vector<RECT> pieces;
  if (!target_) return pieces;
  RECT wanted = area;
  if (extra_clip != nullptr && !IntersectRect(&wanted, &wanted, extra_clip)) return pieces;
  OffsetRect(&wanted, origin_.x, origin_.y);
  RECT bounds = target_->Bounds();
  if (!IntersectRect(&wanted, &wanted, &bounds)) return pieces;
  if (!clip_rects_) {
    pieces.push_back(wanted);
    return pieces;
  }
  for (const RECT& clip : *clip_rects_) {
    RECT piece;
    if (IntersectRect(&piece, &wanted, &clip)) pieces.push_back(piece);
  }
  return pieces;
}

bool DeviceContext::MayDraw(int target_x, int target_y) const {
  if (!target_ || !target_->Contains(target_x, target_y)) return false;
  if (!clip_rects_) return true;
  for (const RECT& clip : *clip_rects_) {
    if (PtInRect(&clip, POINT{target_x, target_y})) return true;
  }
  return false;
}

std::shared_ptr<GdiObjectTag> DeviceContext::Select(const std::shared_ptr<GdiObjectTag>& object) {
  std::shared_ptr<GdiObjectTag> previous;
  if (auto bitmap = std::dynamic_pointer_cast<BitmapObject>(object)) {
    if (!memory_) return nullptr;
    previous = std::exchange(bitmap_, bitmap);
    target_ = bitmap_->surface;
  } else if (auto brush = std::dynamic_pointer_cast<BrushObject>(object)) {
    previous = std::exchange(brush_, brush);
  } else if (auto pen = std::dynamic_pointer_cast<PenObject>(object)) {
    previous = std::exchange(pen_, pen);
  } else if (auto font = std::dynamic_pointer_cast<FontObject>(object)) {
    previous = std::exchange(font_, font);
  }
  return previous;
}

std::shared_ptr<GdiObjectTag> DeviceContext::Current(UINT type) const {
  switch (type) {
    case OBJ_BITMAP:
      return bitmap_;
    case OBJ_BRUSH:
      return brush_;
    case OBJ_PEN:
      return pen_;
    case OBJ_FONT:
      return font_;
    default:
      return nullptr;
  }
}

std::shared_ptr<DeviceContext> FindContext(HDC dc) {
  std::shared_ptr<DeviceContext> context = ContextTable::Instance().Find(dc);
  if (!context) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // A display's context comes with the display's drawing lock, and a
  // window's context with the screen's (every program's thread draws into
  // it, and screenshots copy it), released when the caller lets go of the
  // context at the end of its call. Memory contexts draw into bitmaps of
  // their own thread and take no lock.
  std::recursive_mutex* drawing = nullptr;
  if (context->device()) {
    drawing = &context->device()->drawing;
  } else if (!context->is_memory() && context->target()) {
    drawing = &context->target()->drawing_mutex();
  }
  if (!drawing) return context;
  struct Held {
    std::shared_ptr<DeviceContext> context;
    std::unique_lock<std::recursive_mutex> lock;
  };
  auto held =
      std::make_shared<Held>(Held{context, std::unique_lock<std::recursive_mutex>(*drawing)});
  if (context->lost()) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return nullptr;
  }
  return std::shared_ptr<DeviceContext>(held, held->context.get());
}

HDC CreateWindowDC(std::shared_ptr<Surface> target, POINT origin, std::vector<RECT> clip_rects) {
  if (!target) return nullptr;
  return ContextTable::Instance().Add(
      std::make_shared<DeviceContext>(std::move(target), origin, std::move(clip_rects)));
}

void ReleaseWindowDC(HDC dc) {
  if (dc == nullptr) return;
  std::shared_ptr<DeviceContext> context = ContextTable::Instance().Find(dc);
  if (context && !context->is_memory()) ContextTable::Instance().Remove(dc);
}

}  // namespace platform::gdi
