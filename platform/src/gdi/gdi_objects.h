// The drawing objects behind the handles, and the table that tells live
// handles from stale ones. Handles are the objects' addresses; a handle is
// only followed after the table has found it.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

#include "gdi/surface.h"
#include "platform/gdi.h"

namespace platform::gdi {

class SizedFont;

struct BitmapObject : BitmapTag {
  explicit BitmapObject(std::shared_ptr<Surface> pixels, bool dib = false)
      : surface(std::move(pixels)), dib_section(dib) {}
  std::shared_ptr<Surface> surface;
  bool dib_section = false;
};

struct BrushObject : BrushTag {
  explicit BrushObject(COLORREF brush_color, bool hollow = false)
      : color(brush_color), null_brush(hollow) {}
  COLORREF color = 0;
  bool null_brush = false;
};

struct PenObject : PenTag {
  PenObject(int pen_style, int pen_width, COLORREF pen_color)
      : style(pen_style), width(pen_width < 1 ? 1 : pen_width), color(pen_color) {}
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
};

struct FontObject : FontTag {
  // Finds the host font for the logical one.
  explicit FontObject(const LOGFONT& font);
  LOGFONT logfont;
  std::shared_ptr<SizedFont> sized;  // null when no host font can be read
};

// Live drawing objects of the process (stock objects included).
class ObjectTable {
 public:
  static ObjectTable& Instance();

  HGDIOBJ Add(std::shared_ptr<GdiObjectTag> object);
  // Null when the handle is not live or not a T.
  template <typename T>
  std::shared_ptr<T> Find(const void* handle) {
    std::lock_guard lock(mutex_);
    auto found = objects_.find(handle);
    if (found == objects_.end()) return nullptr;
    return std::dynamic_pointer_cast<T>(found->second);
  }
  std::shared_ptr<GdiObjectTag> FindAny(const void* handle);
  // False for unknown handles; stock objects stay.
  bool Remove(const void* handle);
  void MarkStock(const void* handle);

 private:
  std::mutex mutex_;
  std::unordered_map<const void*, std::shared_ptr<GdiObjectTag>> objects_;
  std::unordered_map<const void*, bool> stock_;
};

// Registers a new object and returns its typed handle.
template <typename T>
auto AddObject(std::shared_ptr<T> object) {
  T* raw = object.get();
  ObjectTable::Instance().Add(std::move(object));
  return raw;
}

std::shared_ptr<BrushObject> StockBrush(int index);
std::shared_ptr<PenObject> StockPen(int index);
std::shared_ptr<FontObject> StockFont();
// The 1x1 bitmap that memory contexts start with.
std::shared_ptr<BitmapObject> DefaultBitmap();

}  // namespace platform::gdi
