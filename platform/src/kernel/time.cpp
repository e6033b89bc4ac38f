// Tick count, sleep, system and local time and file-time conversions.
#include "platform/time.h"

#include <chrono>
#include <thread>

#include "kernel/kernel.h"
#include "platform/clock_setting.h"
#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/settle.h"

namespace platform {

namespace {

constexpr std::uint64_t kTicksPerMs = 10'000;
constexpr std::uint64_t kTicksPerDay = 86'400'000ull * kTicksPerMs;
// 1601-01-01 to 1970-01-01 in 100 ns ticks.
constexpr std::int64_t kUnixEpochTicks = 116'444'736'000'000'000;
// Days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kUnixEpochDays = 134'774;

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const unsigned year_of_era = static_cast<unsigned>(year - era * 400);
  const unsigned day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + static_cast<std::int64_t>(day_of_era) - 719468;
}

void CivilFromDays(std::int64_t days, std::int64_t* year, unsigned* month, unsigned* day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const unsigned day_of_era = static_cast<unsigned>(days - era * 146097);
  const unsigned year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const unsigned day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const unsigned mp = (5 * day_of_year + 2) / 153;
  *day = day_of_year - (153 * mp + 2) / 5 + 1;
  *month = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<std::int64_t>(year_of_era) + era * 400 + (*month <= 2);
}

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned DaysInMonth(unsigned year, unsigned month) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::int64_t LocalBiasTicks() {
  return std::int64_t{Handheld::Current().config().time_zone_bias_minutes} * 60 * 1000 *
         static_cast<std::int64_t>(kTicksPerMs);
}

}  // namespace

DWORD GetTickCount() { return static_cast<DWORD>(CurrentKernel().NowUs() / 1000); }

void Sleep(DWORD milliseconds) {
  Kernel& kernel = CurrentKernel();
  auto lock = kernel.Acquire();
  if (milliseconds == 0) {
    // Only a chance for others to run; still a point where termination lands.
    kernel.Wait(
        lock, [] { return std::optional<DWORD>(WAIT_OBJECT_0); }, Kernel::kNoDeadline);
    lock.unlock();
    std::this_thread::yield();
    return;
  }
  kernel.Wait(
      lock, [] { return std::optional<DWORD>(); }, kernel.DeadlineAfter(lock, milliseconds));
}

void GetSystemTimeAsFileTime(FILETIME* time) {
  if (time) *time = CurrentKernel().SystemTime();
}

void GetSystemTime(SYSTEMTIME* time) {
  FILETIME now = CurrentKernel().SystemTime();
  FileTimeToSystemTime(&now, time);
}

void GetLocalTime(SYSTEMTIME* time) {
  FILETIME utc = CurrentKernel().SystemTime();
  FILETIME local;
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, time);
}

BOOL SetSystemTime(const SYSTEMTIME* time) {
  FILETIME now;
  if (!SystemTimeToFileTime(time, &now)) return FALSE;
  CurrentKernel().SetSystemTime(now);
  return TRUE;
}

BOOL SetLocalTime(const SYSTEMTIME* time) {
  FILETIME local, utc;
  if (!SystemTimeToFileTime(time, &local) || !LocalFileTimeToFileTime(&local, &utc)) return FALSE;
  CurrentKernel().SetSystemTime(utc);
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* system_time, FILETIME* file_time) {
  if (!system_time || !file_time) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const SYSTEMTIME& t = *system_time;
  if (t.wYear < 1601 || t.wYear > 30827 || t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 ||
      t.wDay > DaysInMonth(t.wYear, t.wMonth) || t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59 ||
      t.wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::int64_t days = DaysFromCivil(t.wYear, t.wMonth, t.wDay) + kUnixEpochDays;
  const std::uint64_t ms =
      ((std::uint64_t{t.wHour} * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
  *file_time =
      FILETIME::FromTicks(static_cast<std::uint64_t>(days) * kTicksPerDay + ms * kTicksPerMs);
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* file_time, SYSTEMTIME* system_time) {
  if (!file_time || !system_time || file_time->Ticks() >= (1ull << 63)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::uint64_t ticks = file_time->Ticks();
  const std::int64_t days = static_cast<std::int64_t>(ticks / kTicksPerDay);
  std::uint64_t ms = (ticks % kTicksPerDay) / kTicksPerMs;
  std::int64_t year;
  unsigned month, day;
  CivilFromDays(days - kUnixEpochDays, &year, &month, &day);
  SYSTEMTIME& t = *system_time;
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  // 1601-01-01 was a Monday.
  t.wDayOfWeek = static_cast<WORD>((days + 1) % 7);
  t.wMilliseconds = static_cast<WORD>(ms % 1000);
  ms /= 1000;
  t.wSecond = static_cast<WORD>(ms % 60);
  ms /= 60;
  t.wMinute = static_cast<WORD>(ms % 60);
  t.wHour = static_cast<WORD>(ms / 60);
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  if (!utc || !local) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *local = FILETIME::FromTicks(
      static_cast<std::uint64_t>(static_cast<std::int64_t>(utc->Ticks()) - LocalBiasTicks()));
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc) {
  if (!utc || !local) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *utc = FILETIME::FromTicks(
      static_cast<std::uint64_t>(static_cast<std::int64_t>(local->Ticks()) + LocalBiasTicks()));
  return TRUE;
}

LONG CompareFileTime(const FILETIME* a, const FILETIME* b) {
  const std::uint64_t x = a->Ticks(), y = b->Ticks();
  return x < y ? -1 : (x > y ? 1 : 0);
}

FILETIME FileTimeFromUnixNanoseconds(std::int64_t unix_ns) {
  return FILETIME::FromTicks(static_cast<std::uint64_t>(unix_ns / 100 + kUnixEpochTicks));
}

std::int64_t UnixNanosecondsFromFileTime(const FILETIME& time) {
  return (static_cast<std::int64_t>(time.Ticks()) - kUnixEpochTicks) * 100;
}

namespace clock {
bool IsVirtual() { return CurrentKernel().virtual_clock(); }
std::uint64_t NowMs() { return CurrentKernel().NowUs() / 1000; }
void Advance(std::uint64_t milliseconds) { CurrentKernel().Advance(milliseconds * 1000); }
void Spend(std::uint64_t microseconds) { CurrentKernel().Spend(microseconds); }
void Settle() { CurrentKernel().Settle(); }
}  // namespace clock

}  // namespace platform
