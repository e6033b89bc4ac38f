// Recognises a second tap close in time and place to the one before, on the
// handheld's clock (the stylus input brings no double-tap messages).
#pragma once

#include "platform/types.h"

namespace platform::controls {

class DoubleTap {
 public:
  // A press at `point`; true when it completes a double tap (on the same
  // `item`, when the caller tells items apart).
  bool Press(POINT point, int item = 0);
  void Reset() { has_previous_ = false; }

 private:
  bool has_previous_ = false;
  DWORD time_ = 0;
  POINT point_;
  int item_ = 0;
};

}  // namespace platform::controls
