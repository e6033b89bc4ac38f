// Modal message loops: dialogs, message boxes and a program's own modal
// windows run the thread's messages until they are done.
#pragma once

#include <functional>

#include "platform/messages.h"

namespace platform {

// Gets, pre-translates, translates and dispatches the calling thread's
// messages until `ended` returns true (asked before each message, so a
// procedure that sets the flag ends the loop once it returns). `hook`
// replaces the thread's pre-translation hook for the loop's duration and the
// outer one comes back afterwards. WM_QUIT ends the loop too and is posted
// again for the loop outside; FALSE then.
BOOL RunModalLoop(const std::function<bool()>& ended, PreTranslateHook hook = nullptr);

}  // namespace platform
