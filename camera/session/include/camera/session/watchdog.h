// The watchdog: a window timer of the main dialog that notices when no
// frame arrived for a whole period (the card was reset or the handheld
// resumed) and opens the device again.
#pragma once

#include "platform/types.h"

namespace camera {

inline constexpr platform::UINT_PTR kWatchdogTimerId = 10;
inline constexpr platform::UINT kWatchdogPeriodMs = 600;

// The main dialog calls this for its WM_TIMER with id kWatchdogTimerId.
// After two failed reopens in a row it posts WM_CLOSE to the main window.
void WatchdogTick();

}  // namespace camera
