// A minimal single-line edit box for editing labels in place, used when
// the "EDIT" class is not registered: typed characters, Backspace, Delete,
// the caret keys, and the whole text selected when it opens. Its text is
// the window text.
#pragma once

#include "platform/window.h"

namespace platform::common_controls {

inline constexpr char kInlineEditBoxClass[] = "CommonControlsInlineEdit";

// Registers the class once per handheld.
BOOL RegisterInlineEditBox();

}  // namespace platform::common_controls
