// Cursors. The handheld shows no pointer, only the wait cursor: an hourglass
// in the middle of the screen while a program has it set.
#pragma once

#include "platform/modules.h"
#include "platform/types.h"

namespace platform {

struct CursorTag;
using HCURSOR = CursorTag*;

inline constexpr UINT IDC_ARROW = 32512;
inline constexpr UINT IDC_WAIT = 32514;

// The system's cursors (instance null); null for any other.
HCURSOR LoadCursor(HINSTANCE instance, UINT cursor_id);
// Sets the cursor (null: none) and returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// The wait cursor for a scope: the hourglass while a program works on
// something the person waits for, the previous cursor after.
class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace platform
