#include "controls/scroll_bar_tracker.h"

namespace platform::controls {

WORD ScrollBarTracker::CodeOf(ScrollPart part) {
  switch (part) {
    case ScrollPart::kLineUp:
      return SB_LINEUP;
    case ScrollPart::kLineDown:
      return SB_LINEDOWN;
    case ScrollPart::kPageUp:
      return SB_PAGEUP;
    case ScrollPart::kPageDown:
      return SB_PAGEDOWN;
    default:
      return SB_ENDSCROLL;
  }
}

bool ScrollBarTracker::Press(const ScrollBarLayout& layout, const ScrollModel& model, POINT point,
                             const Sender& send) {
  const ScrollPart part = HitTestScrollBar(layout, point);
  if (part == ScrollPart::kNone) return false;
  part_ = part;
  over_ = true;
  last_point_ = point;
  took_capture_ = GetCapture() != hwnd_;
  if (took_capture_) SetCapture(hwnd_);
  if (part == ScrollPart::kThumb) {
    grab_ = (layout.vertical ? point.y : point.x) -
            (layout.vertical ? layout.thumb.top : layout.thumb.left);
    track_position_ = model.position();
    return true;
  }
  send(CodeOf(part), 0);
  SetTimer(hwnd_, kScrollRepeatTimer, kScrollRepeatDelayMs, nullptr);
  return true;
}

void ScrollBarTracker::Move(const ScrollBarLayout& layout, const ScrollModel& model, POINT point,
                            const Sender& send) {
  if (!active()) return;
  last_point_ = point;
  if (part_ != ScrollPart::kThumb) {
    over_ = HitTestScrollBar(layout, point) == part_;
    return;
  }
  const int along = layout.vertical ? point.y - layout.trough.top : point.x - layout.trough.left;
  const int position = ScrollPositionAt(layout, model, along - grab_);
  if (position == track_position_) return;
  track_position_ = position;
  send(SB_THUMBTRACK, position);
}

bool ScrollBarTracker::Timer(UINT_PTR id, const ScrollBarLayout& layout, const Sender& send) {
  if (id != kScrollRepeatTimer) return false;
  if (!active() || part_ == ScrollPart::kThumb) {
    KillTimer(hwnd_, kScrollRepeatTimer);
    return true;
  }
  // A page request repeats until the thumb reaches the stylus.
  over_ = HitTestScrollBar(layout, last_point_) == part_;
  if (over_) send(CodeOf(part_), 0);
  SetTimer(hwnd_, kScrollRepeatTimer, kScrollRepeatIntervalMs, nullptr);
  return true;
}

void ScrollBarTracker::Release(const Sender& send) {
  if (!active()) return;
  const ScrollPart part = part_;
  const int position = track_position_;
  Stop();
  if (part == ScrollPart::kThumb) send(SB_THUMBPOSITION, position);
  send(SB_ENDSCROLL, 0);
}

void ScrollBarTracker::Cancel() {
  took_capture_ = false;  // already gone
  Stop();
}

void ScrollBarTracker::Stop() {
  KillTimer(hwnd_, kScrollRepeatTimer);
  part_ = ScrollPart::kNone;
  over_ = false;
  if (took_capture_ && GetCapture() == hwnd_) {
    took_capture_ = false;
    ReleaseCapture();
  }
}

}  // namespace platform::controls
