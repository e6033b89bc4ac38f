#include "controls/scroll_bar_layout.h"

#include <algorithm>
#include <cstdint>

#include "controls/drawing.h"
#include "platform/gdi.h"

namespace platform::controls {

namespace {

constexpr int kMinimumThumb = 8;

// Length along the bar and the start coordinate of a rectangle.
int Length(const RECT& rect, bool vertical) {
  return vertical ? rect.bottom - rect.top : rect.right - rect.left;
}
int Start(const RECT& rect, bool vertical) { return vertical ? rect.top : rect.left; }

// The part of the bar from `from` to `to` along it.
RECT Slice(const RECT& bar, bool vertical, int from, int to) {
  return vertical ? RECT{bar.left, from, bar.right, to} : RECT{from, bar.top, to, bar.bottom};
}

int ThumbLength(const ScrollModel& model, int trough) {
  const std::int64_t span = std::int64_t{model.maximum()} - model.minimum() + 1;
  if (model.page() == 0) return std::min(trough, kScrollBarSize);
  const std::int64_t length = std::int64_t{trough} * model.page() / span;
  return static_cast<int>(std::clamp<std::int64_t>(length, kMinimumThumb, trough));
}

}  // namespace

ScrollBarLayout LayOutScrollBar(const RECT& bar, bool vertical, const ScrollModel& model,
                                int position) {
  ScrollBarLayout layout;
  layout.bar = bar;
  layout.vertical = vertical;
  const int length = Length(bar, vertical);
  const int start = Start(bar, vertical);
  const int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
  // Arrows are square, unless the bar is too short for two of them.
  const int arrow = std::min(thickness, length / 2);
  layout.line_up = Slice(bar, vertical, start, start + arrow);
  layout.line_down = Slice(bar, vertical, start + length - arrow, start + length);
  layout.trough = Slice(bar, vertical, start + arrow, start + length - arrow);
  const int trough = length - 2 * arrow;
  if (!model.Scrollable() || trough < kMinimumThumb) return layout;
  const int thumb = ThumbLength(model, trough);
  const std::int64_t travel = trough - thumb;
  const std::int64_t steps = std::int64_t{model.MaxPosition()} - model.minimum();
  const std::int64_t offset = travel * (std::int64_t{model.Clamp(position)} - model.minimum()) /
                              std::max<std::int64_t>(steps, 1);
  const int thumb_start = start + arrow + static_cast<int>(offset);
  layout.thumb = Slice(bar, vertical, thumb_start, thumb_start + thumb);
  return layout;
}

ScrollPart HitTestScrollBar(const ScrollBarLayout& layout, POINT point) {
  if (!PtInRect(&layout.bar, point)) return ScrollPart::kNone;
  if (PtInRect(&layout.line_up, point)) return ScrollPart::kLineUp;
  if (PtInRect(&layout.line_down, point)) return ScrollPart::kLineDown;
  if (IsRectEmpty(layout.thumb)) return ScrollPart::kNone;
  if (PtInRect(&layout.thumb, point)) return ScrollPart::kThumb;
  const int along = layout.vertical ? point.y : point.x;
  return along < Start(layout.thumb, layout.vertical) ? ScrollPart::kPageUp : ScrollPart::kPageDown;
}

int ThumbOffset(const ScrollBarLayout& layout) {
  return Start(layout.thumb, layout.vertical) - Start(layout.trough, layout.vertical);
}

int ScrollPositionAt(const ScrollBarLayout& layout, const ScrollModel& model, int offset) {
  const int travel = Length(layout.trough, layout.vertical) - Length(layout.thumb, layout.vertical);
  if (travel <= 0) return model.minimum();
  const std::int64_t steps = std::int64_t{model.MaxPosition()} - model.minimum();
  const std::int64_t clamped = std::clamp(offset, 0, travel);
  // Rounded to the nearest position, so the thumb lands where it was let go.
  const std::int64_t position = model.minimum() + (clamped * steps + travel / 2) / travel;
  return model.Clamp(static_cast<int>(position));
}

void PaintScrollBar(HDC dc, const ScrollBarLayout& layout, bool enabled, ScrollPart pressed) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF frame = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF arrow_color = enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT);
  FillSolid(dc, layout.trough, GetSysColor(COLOR_3DLIGHT));
  if (pressed == ScrollPart::kPageUp || pressed == ScrollPart::kPageDown) {
    RECT page = layout.trough;
    if (pressed == ScrollPart::kPageUp) {
      (layout.vertical ? page.bottom : page.right) = Start(layout.thumb, layout.vertical);
    } else {
      (layout.vertical ? page.top : page.left) =
          layout.vertical ? layout.thumb.bottom : layout.thumb.right;
    }
    FillSolid(dc, page, frame);
  }
  FrameSolid(dc, layout.bar, frame);
  const struct {
    const RECT& rect;
    ScrollPart part;
    ArrowDirection direction;
  } arrows[] = {
      {layout.line_up, ScrollPart::kLineUp,
       layout.vertical ? ArrowDirection::kUp : ArrowDirection::kLeft},
      {layout.line_down, ScrollPart::kLineDown,
       layout.vertical ? ArrowDirection::kDown : ArrowDirection::kRight},
  };
  for (const auto& arrow : arrows) {
    if (IsRectEmpty(arrow.rect)) continue;
    const bool down = pressed == arrow.part;
    FillSolid(dc, arrow.rect, down ? frame : face);
    FrameSolid(dc, arrow.rect, frame);
    DrawArrow(dc, arrow.rect, arrow.direction, down ? face : arrow_color);
  }
  if (enabled && !IsRectEmpty(layout.thumb)) {
    FillSolid(dc, layout.thumb, pressed == ScrollPart::kThumb ? frame : face);
    FrameSolid(dc, layout.thumb, frame);
  }
}

}  // namespace platform::controls
