// Setting the handheld's wall clock, as the clock settings and the emulator
// do. The tick count and every wait go on undisturbed.
#pragma once

#include "platform/types.h"

namespace platform {

// UTC, or local time; FALSE with ERROR_INVALID_PARAMETER for an impossible
// date, and the clock stays as it was.
BOOL SetSystemTime(const SYSTEMTIME* time);
BOOL SetLocalTime(const SYSTEMTIME* time);

}  // namespace platform
