#include "common_controls/scroll_strip.h"

#include <algorithm>

#include "common_controls/control_paint.h"

namespace platform::common_controls {

namespace {
constexpr int kMinimumThumb = 8;
}

void ScrollStrip::SetExtent(int content, int page) {
  content_ = std::max(content, 0);
  page_ = std::max(page, 0);
  offset_ = std::clamp(offset_, 0, MaxOffset());
}

bool ScrollStrip::ScrollTo(int offset) {
  const int clamped = std::clamp(offset, 0, MaxOffset());
  if (clamped == offset_) return false;
  offset_ = clamped;
  return true;
}

RECT ScrollStrip::Strip(const RECT& area) const {
  if (!shown()) return {};
  return {area.right - kWidth, area.top, area.right, area.bottom};
}

RECT ScrollStrip::Thumb(const RECT& area) const {
  if (!shown()) return {};
  const RECT strip = Strip(area);
  const int track = strip.bottom - strip.top;
  const int length = std::clamp(track * page_ / content_, std::min(kMinimumThumb, track), track);
  const int travel = track - length;
  const int top = MaxOffset() > 0 ? strip.top + travel * offset_ / MaxOffset() : strip.top;
  return {strip.left, top, strip.right, top + length};
}

int ScrollStrip::RowWidth(const RECT& area) const {
  return area.right - area.left - (shown() ? kWidth : 0);
}

bool ScrollStrip::Press(const RECT& area, POINT point) {
  const RECT strip = Strip(area);
  if (!PtInRect(&strip, point)) return false;
  const RECT thumb = Thumb(area);
  if (point.y < thumb.top) {
    ScrollTo(offset_ - page_);
  } else if (point.y >= thumb.bottom) {
    ScrollTo(offset_ + page_);
  } else {
    dragging_ = true;
    drag_grip_ = point.y - thumb.top;
  }
  return true;
}

bool ScrollStrip::Drag(const RECT& area, POINT point) {
  if (!dragging_ || !shown()) return false;
  const RECT strip = Strip(area);
  const RECT thumb = Thumb(area);
  const int travel = (strip.bottom - strip.top) - (thumb.bottom - thumb.top);
  if (travel <= 0) return false;
  const int top = std::clamp(static_cast<int>(point.y) - drag_grip_ - strip.top, 0, travel);
  return ScrollTo((top * MaxOffset() + travel / 2) / travel);
}

void ScrollStrip::Paint(HDC dc, const RECT& area) const {
  if (!shown()) return;
  FillColor(dc, Strip(area), GetSysColor(COLOR_SCROLLBAR));
  const RECT thumb = Thumb(area);
  FillColor(dc, thumb, GetSysColor(COLOR_BTNFACE));
  DrawEdge3d(dc, thumb, false);
}

}  // namespace platform::common_controls
