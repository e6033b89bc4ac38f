// What the stylus does on a scroll bar: a press on an arrow or a page area
// sends its request at once and again while the stylus stays on it (after
// a pause, then at a steady rate, on the handheld's clock); a press on the
// thumb drags it, sending SB_THUMBTRACK on every move and SB_THUMBPOSITION
// where it is let go. Every press ends with SB_ENDSCROLL.
#pragma once

#include <functional>

#include "controls/scroll_bar_layout.h"
#include "platform/window.h"

namespace platform::controls {

// Timer of the window that repeats a held arrow or page request.
inline constexpr UINT_PTR kScrollRepeatTimer = 0xFFF0;
inline constexpr UINT kScrollRepeatDelayMs = 400;
inline constexpr UINT kScrollRepeatIntervalMs = 100;

class ScrollBarTracker {
 public:
  // Sends one request: the SB_* code and, for the thumb codes, the position.
  using Sender = std::function<void(WORD code, int position)>;

  explicit ScrollBarTracker(HWND hwnd) : hwnd_(hwnd) {}

  // A press: true when it landed on a part of the bar (tracking begins).
  bool Press(const ScrollBarLayout& layout, const ScrollModel& model, POINT point,
             const Sender& send);
  void Move(const ScrollBarLayout& layout, const ScrollModel& model, POINT point,
            const Sender& send);
  void Release(const Sender& send);
  // The repeat timer fired: repeats the held request while the stylus is on
  // its part. False for other timers.
  bool Timer(UINT_PTR id, const ScrollBarLayout& layout, const Sender& send);
  // Capture was taken away: the press ends without requests.
  void Cancel();

  bool active() const { return part_ != ScrollPart::kNone; }
  // The part shown pressed (none while the stylus is off the held part).
  ScrollPart shown_pressed() const { return over_ ? part_ : ScrollPart::kNone; }
  // Where the thumb is drawn: the dragged position while dragging.
  int ThumbPosition(const ScrollModel& model) const {
    return part_ == ScrollPart::kThumb ? track_position_ : model.position();
  }

 private:
  static WORD CodeOf(ScrollPart part);
  void Stop();

  HWND hwnd_;
  ScrollPart part_ = ScrollPart::kNone;
  bool over_ = false;
  bool took_capture_ = false;
  POINT last_point_;
  int grab_ = 0;  // where along the thumb it was taken
  int track_position_ = 0;
};

}  // namespace platform::controls
