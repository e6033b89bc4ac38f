// The clock cards keep time by.
#include "kernel/kernel.h"
#include "platform/sd_card.h"

namespace platform::sd {

std::uint64_t CardClockUs() { return CurrentKernel().NowUs(); }

}  // namespace platform::sd
