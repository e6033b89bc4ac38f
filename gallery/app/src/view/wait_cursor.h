// The wait cursor for a scope: the hourglass while the view loads,
// turns or rewrites a picture, the previous cursor after.
#pragma once

#include "platform/cursor.h"

namespace gallery {

class WaitCursor {
 public:
  WaitCursor()
      : previous_(platform::SetCursor(platform::LoadCursor(nullptr, platform::IDC_WAIT))) {}
  ~WaitCursor() { platform::SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  platform::HCURSOR previous_;
};

}  // namespace gallery
