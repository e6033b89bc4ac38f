// For the thread that drives a handheld (a test or the emulator's script):
// on a virtual clock the other threads run on the host's schedule, so a step
// taken "now" could land before or after their work at this moment. Settling
// first makes every step land at one moment, and a run repeat itself.
#pragma once

namespace platform::clock {

// Waits until every other handheld thread waits; the clock stands still
// meanwhile. Returns at once on a real-time clock or on a thread that is not
// a handheld thread.
void Settle();

}  // namespace platform::clock
