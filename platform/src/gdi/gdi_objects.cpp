#include "gdi/gdi_objects.h"

#include <array>

#include "gdi/font_library.h"

namespace platform::gdi {

FontObject::FontObject(const LOGFONT& font) : logfont(font), sized(FontFor(font)) {}

ObjectTable& ObjectTable::Instance() {
  static ObjectTable table;
  return table;
}

HGDIOBJ ObjectTable::Add(std::shared_ptr<GdiObjectTag> object) {
  HGDIOBJ handle = object.get();
  std::lock_guard lock(mutex_);
  objects_.emplace(handle, std::move(object));
  return handle;
}

std::shared_ptr<GdiObjectTag> ObjectTable::FindAny(const void* handle) {
  std::lock_guard lock(mutex_);
  auto found = objects_.find(handle);
  return found == objects_.end() ? nullptr : found->second;
}

bool ObjectTable::Remove(const void* handle) {
  std::lock_guard lock(mutex_);
  auto found = objects_.find(handle);
  if (found == objects_.end()) return false;
  if (!stock_.contains(handle)) objects_.erase(found);
  return true;
}

void ObjectTable::MarkStock(const void* handle) {
  std::lock_guard lock(mutex_);
  stock_[handle] = true;
}

namespace {

template <typename T>
std::shared_ptr<T> MakeStock(std::shared_ptr<T> object) {
  ObjectTable::Instance().Add(object);
  ObjectTable::Instance().MarkStock(object.get());
  return object;
}

}  // namespace

std::shared_ptr<BrushObject> StockBrush(int index) {
  static const std::array<std::shared_ptr<BrushObject>, 6> brushes = {
      MakeStock(std::make_shared<BrushObject>(RGB(255, 255, 255))),
      MakeStock(std::make_shared<BrushObject>(RGB(192, 192, 192))),
      MakeStock(std::make_shared<BrushObject>(RGB(128, 128, 128))),
      MakeStock(std::make_shared<BrushObject>(RGB(64, 64, 64))),
      MakeStock(std::make_shared<BrushObject>(RGB(0, 0, 0))),
      MakeStock(std::make_shared<BrushObject>(RGB(0, 0, 0), true)),
  };
  if (index < 0 || index >= static_cast<int>(brushes.size())) return nullptr;
  return brushes[static_cast<std::size_t>(index)];
}

std::shared_ptr<PenObject> StockPen(int index) {
  static const std::array<std::shared_ptr<PenObject>, 3> pens = {
      MakeStock(std::make_shared<PenObject>(PS_SOLID, 1, RGB(255, 255, 255))),
      MakeStock(std::make_shared<PenObject>(PS_SOLID, 1, RGB(0, 0, 0))),
      MakeStock(std::make_shared<PenObject>(PS_NULL, 1, RGB(0, 0, 0))),
  };
  if (index < WHITE_PEN || index > NULL_PEN) return nullptr;
  return pens[static_cast<std::size_t>(index - WHITE_PEN)];
}

std::shared_ptr<FontObject> StockFont() {
  static const std::shared_ptr<FontObject> font =
      MakeStock(std::make_shared<FontObject>(LOGFONT{}));
  return font;
}

std::shared_ptr<BitmapObject> DefaultBitmap() {
  // Shared like the platform's: a context hands it back from SelectObject,
  // so it must be a live handle that can be selected again.
  static const std::shared_ptr<BitmapObject> bitmap =
      MakeStock(std::make_shared<BitmapObject>(std::make_shared<Surface>(1, 1, 16)));
  return bitmap;
}

}  // namespace platform::gdi
