// Where the parts of a scroll bar lie for its rectangle and numbers: the
// two arrow buttons at the ends, the trough between them and the thumb in
// it, whose length shows the page and whose place the position. Drawing and
// hit-testing both work from this.
#pragma once

#include "controls/scroll_model.h"
#include "platform/gdi_types.h"

namespace platform::controls {

// Width of a vertical bar (height of a horizontal one).
inline constexpr int kScrollBarSize = 13;

enum class ScrollPart { kNone, kLineUp, kPageUp, kThumb, kPageDown, kLineDown };

struct ScrollBarLayout {
  RECT bar;
  bool vertical = true;
  RECT line_up;    // the arrow at the top (left)
  RECT line_down;  // the arrow at the bottom (right)
  RECT trough;     // between the arrows
  RECT thumb;      // empty when there is nothing to scroll
};

// `position` places the thumb (the track position while it is dragged).
ScrollBarLayout LayOutScrollBar(const RECT& bar, bool vertical, const ScrollModel& model,
                                int position);
ScrollPart HitTestScrollBar(const ScrollBarLayout& layout, POINT point);
// The position whose thumb starts `offset` pixels into the trough.
int ScrollPositionAt(const ScrollBarLayout& layout, const ScrollModel& model, int offset);
// Pixels from the trough's start to the thumb's.
int ThumbOffset(const ScrollBarLayout& layout);

void PaintScrollBar(HDC dc, const ScrollBarLayout& layout, bool enabled, ScrollPart pressed);

}  // namespace platform::controls
