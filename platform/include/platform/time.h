// Time services: tick count, sleep, system and local time, file-time
// conversions, and the controls of the handheld's clock.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

// Milliseconds since the handheld booted (wraps after 49.7 days).
DWORD GetTickCount();
// Blocks the calling thread; Sleep(0) only yields.
void Sleep(DWORD milliseconds);

void GetSystemTime(SYSTEMTIME* time);
void GetLocalTime(SYSTEMTIME* time);
void GetSystemTimeAsFileTime(FILETIME* time);

BOOL SystemTimeToFileTime(const SYSTEMTIME* system_time, FILETIME* file_time);
BOOL FileTimeToSystemTime(const FILETIME* file_time, SYSTEMTIME* system_time);
BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local);
BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc);
// -1, 0 or 1.
LONG CompareFileTime(const FILETIME* a, const FILETIME* b);

// Conversions between file times and the host's Unix time in nanoseconds.
FILETIME FileTimeFromUnixNanoseconds(std::int64_t unix_ns);
std::int64_t UnixNanosecondsFromFileTime(const FILETIME& time);

// Clock controls for tests and the emulator.
namespace clock {
bool IsVirtual();
// Milliseconds since boot, without wrapping.
std::uint64_t NowMs();
// Moves a virtual clock forward, waking every wait whose deadline passes.
// Ignored by a real-time clock.
void Advance(std::uint64_t milliseconds);
// Moves a virtual clock forward by the modelled cost of an operation (an SD
// bus transfer); on a real-time clock the calling thread sleeps that long.
void Spend(std::uint64_t microseconds);
}  // namespace clock

}  // namespace platform
