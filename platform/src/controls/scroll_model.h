// The numbers of one scroll bar: range, page and position, always kept
// consistent (the position stays between nMin and nMax - nPage + 1).
#pragma once

#include "platform/controls/scroll_bar.h"

namespace platform::controls {

class ScrollModel {
 public:
  // Takes the members fMask names; returns the position afterwards.
  int Set(const SCROLLINFO& info);
  // Fills the members fMask names.
  void Get(SCROLLINFO& info) const;

  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  UINT page() const { return page_; }
  int position() const { return position_; }
  int track_position() const { return track_position_; }
  void set_track_position(int position) { track_position_ = Clamp(position); }
  // The largest position: the last page shows the end of the range.
  int MaxPosition() const;
  // Whether there is anything to scroll.
  bool Scrollable() const { return MaxPosition() > minimum_; }
  int Clamp(int position) const;

 private:
  int minimum_ = 0;
  int maximum_ = 100;
  UINT page_ = 0;
  int position_ = 0;
  int track_position_ = 0;
};

}  // namespace platform::controls
