// The clock cards keep time by.
#include "kernel/device_clock.h"
#include "kernel/kernel.h"
#include "platform/sd_card.h"

namespace platform::sd {

std::uint64_t CardClockUs() { return DeviceNowUs(CurrentKernel()); }

}  // namespace platform::sd
