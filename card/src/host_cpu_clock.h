// The host processor time of the calling thread, as a chrono clock: what
// the simulation itself costs, apart from the time it models.
#pragma once

#include <time.h>

#include <chrono>

namespace card::internal {

struct HostCpuClock {
  using duration = std::chrono::nanoseconds;
  using rep = duration::rep;
  using period = duration::period;
  using time_point = std::chrono::time_point<HostCpuClock>;
  static constexpr bool is_steady = true;

  static time_point now() {
    timespec spent{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
    return time_point(std::chrono::seconds(spent.tv_sec) + std::chrono::nanoseconds(spent.tv_nsec));
  }
};

}  // namespace card::internal
