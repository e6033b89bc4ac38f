// The time a transfer takes: the bus driver's handling of the request
// (queueing, the controller's completion interrupt, waking the caller) and
// the bus clocks at the current rate.
#pragma once

#include <cstdint>

#include "platform/sd_bus.h"

namespace platform::sd::bus_internal {

// Every request, whatever the clock.
inline constexpr std::uint64_t kRequestHandlingNs = 20'000;

// A command and its response (48 bits each) and the turnaround gaps.
inline constexpr std::uint64_t kCommandClocks = 48 + 48 + 16;

// Clocks of `blocks` data blocks of `block_bytes` each: the data on the
// lines of the interface, plus CRC, start and end bits and the gap between
// blocks.
constexpr std::uint64_t DataClocks(DWORD mode, std::uint64_t block_bytes, std::uint64_t blocks) {
  const std::uint64_t lines = mode == kInterfaceOneBit ? 1 : 4;
  return blocks * (block_bytes * 8 / lines + 16 + 2 + 8);
}

constexpr std::uint64_t ClocksToNanoseconds(std::uint64_t clocks, DWORD clock_hz) {
  return clocks * 1'000'000'000ull / clock_hz;
}

}  // namespace platform::sd::bus_internal
