// The time as the devices whose costs Kernel::Spend models see it. On a
// real-time clock a thread may still owe some of its costs (Spend pays
// small ones together, since the host cannot sleep a few microseconds);
// a device must see them as passed, or it would answer a request before
// the request could have reached it.
#pragma once

#include <cstdint>

namespace platform {

class Kernel;

std::uint64_t DeviceNowUs(Kernel& kernel);

}  // namespace platform
