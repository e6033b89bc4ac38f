#include "controls/double_tap.h"

#include <cstdlib>

#include "platform/common_controls/notify.h"
#include "platform/time.h"

namespace platform::controls {

bool DoubleTap::Press(POINT point, int item) {
  const DWORD now = GetTickCount();
  const bool second = has_previous_ && item == item_ && now - time_ <= kDoubleTapTimeMs &&
                      std::abs(point.x - point_.x) <= kDoubleTapDistance &&
                      std::abs(point.y - point_.y) <= kDoubleTapDistance;
  // A double tap is complete: a third tap starts over.
  has_previous_ = !second;
  time_ = now;
  point_ = point;
  item_ = item;
  return second;
}

}  // namespace platform::controls
