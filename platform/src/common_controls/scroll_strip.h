// The vertical scroll strip of a control whose rows overflow it: drawn
// along the right edge, paged by taps above or below the thumb and
// scrolled by dragging the thumb. Offsets are in pixels of content.
#pragma once

#include "platform/gdi.h"

namespace platform::common_controls {

class ScrollStrip {
 public:
  static constexpr int kWidth = 11;

  // Content and page heights; the offset is kept inside the new range.
  void SetExtent(int content, int page);
  bool shown() const { return content_ > page_; }
  int offset() const { return offset_; }
  int page() const { return page_; }
  // Clamped to the range; true when the offset changed.
  bool ScrollTo(int offset);

  // The strip and its thumb in a control whose rows fill `area` (the
  // client area below any header).
  RECT Strip(const RECT& area) const;
  RECT Thumb(const RECT& area) const;
  // The width rows may use in `area`.
  int RowWidth(const RECT& area) const;

  // The stylus on the strip: pages or starts a thumb drag. False when the
  // point is not on the strip.
  bool Press(const RECT& area, POINT point);
  // While a thumb drag lasts; true when the offset changed.
  bool Drag(const RECT& area, POINT point);
  void Release() { dragging_ = false; }
  bool dragging() const { return dragging_; }

  void Paint(HDC dc, const RECT& area) const;

 private:
  int MaxOffset() const { return content_ > page_ ? content_ - page_ : 0; }

  int content_ = 0;
  int page_ = 0;
  int offset_ = 0;
  bool dragging_ = false;
  int drag_grip_ = 0;  // stylus y minus the thumb's top when the drag began
};

}  // namespace platform::common_controls
