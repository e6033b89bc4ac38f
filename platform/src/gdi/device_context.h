// A drawing context: the surface it draws into, where its (0,0) lies there,
// which parts of the surface it may touch, and the selected objects and
// colours.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "gdi/display_device.h"
#include "gdi/gdi_objects.h"
#include "gdi/handle_table.h"
#include "gdi/surface.h"

namespace platform::gdi {

class DeviceContext : public DeviceContextTag {
 public:
  // A memory context with its own 1x1 bitmap.
  DeviceContext();
  // A window context on a shared target.
  DeviceContext(std::shared_ptr<Surface> target, POINT origin, std::vector<RECT> clip_rects);

  bool is_memory() const { return memory_; }
  // The display the context was made for (by CreateDC, or compatible with
  // such a context); null for the handheld's own screen.
  const std::shared_ptr<DisplayDevice>& device() const { return device_; }
  void set_device(std::shared_ptr<DisplayDevice> device) { device_ = std::move(device); }
  // Its display changed mode or went away: nothing can be drawn any more.
  bool lost() const { return device_ && device_->lost; }
  Surface* target() const { return target_.get(); }
  POINT origin() const { return origin_; }

  // The visible pieces of a rectangle given in the context's coordinates,
  // in target coordinates; `extra_clip` (context coordinates) narrows them.
  std::vector<RECT> Visible(const RECT& area, const RECT* extra_clip = nullptr) const;
  // Whether a target point may be drawn.
  bool MayDraw(int target_x, int target_y) const;

  // Returns the previous object of its kind; null when it cannot be selected.
  std::shared_ptr<GdiObjectTag> Select(const std::shared_ptr<GdiObjectTag>& object);
  std::shared_ptr<GdiObjectTag> Current(UINT type) const;

  const std::shared_ptr<BitmapObject>& bitmap() const { return bitmap_; }
  const BrushObject& brush() const { return *brush_; }
  const PenObject& pen() const { return *pen_; }
  const FontObject& font() const { return *font_; }

  COLORREF text_color = RGB(0, 0, 0);
  COLORREF bk_color = RGB(255, 255, 255);
  int bk_mode = OPAQUE;
  int stretch_mode = COLORONCOLOR;
  POINT position{};

 private:
  bool memory_ = true;
  std::shared_ptr<DisplayDevice> device_;
  std::shared_ptr<Surface> target_;
  POINT origin_{};
  // Target coordinates; none means the whole target.
  std::optional<std::vector<RECT>> clip_rects_;
  std::shared_ptr<BitmapObject> bitmap_;
  std::shared_ptr<BrushObject> brush_;
  std::shared_ptr<PenObject> pen_;
  std::shared_ptr<FontObject> font_;
};

// Live contexts of the process.
using ContextTable = HandleTable<DeviceContext>;

// The context behind a handle; null (with ERROR_INVALID_HANDLE) when it is
// not live, or (with ERROR_DEVICE_NOT_CONNECTED) when its display is lost.
std::shared_ptr<DeviceContext> FindContext(HDC dc);

}  // namespace platform::gdi
