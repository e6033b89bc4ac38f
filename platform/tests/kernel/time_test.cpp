// Calendar and file-time conversions.
#include "platform/time.h"

#include <gtest/gtest.h>

#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

SYSTEMTIME Date(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0,
                WORD ms = 0) {
  SYSTEMTIME time;
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  time.wMilliseconds = ms;
  return time;
}

TEST(FileTimeTest, KnownInstantsConvertBothWays) {
  FILETIME epoch;
  SYSTEMTIME start = Date(1601, 1, 1);
  ASSERT_TRUE(SystemTimeToFileTime(&start, &epoch));
  EXPECT_EQ(epoch.Ticks(), 0u);

  FILETIME unix_epoch;
  SYSTEMTIME unix_start = Date(1970, 1, 1);
  ASSERT_TRUE(SystemTimeToFileTime(&unix_start, &unix_epoch));
  EXPECT_EQ(unix_epoch.Ticks(), 116'444'736'000'000'000ull);
  EXPECT_EQ(UnixNanosecondsFromFileTime(unix_epoch), 0);
  EXPECT_EQ(FileTimeFromUnixNanoseconds(1'000'000'000).Ticks(), unix_epoch.Ticks() + 10'000'000);

  SYSTEMTIME leap = Date(2004, 2, 29, 23, 59, 58, 999);
  FILETIME leap_time;
  ASSERT_TRUE(SystemTimeToFileTime(&leap, &leap_time));
  SYSTEMTIME back;
  ASSERT_TRUE(FileTimeToSystemTime(&leap_time, &back));
  leap.wDayOfWeek = 0;  // 29 February 2004 was a Sunday
  EXPECT_EQ(back, leap);
}

TEST(FileTimeTest, DayOfWeekIsDerived) {
  FILETIME time;
  SYSTEMTIME monday = Date(2003, 6, 2);
  ASSERT_TRUE(SystemTimeToFileTime(&monday, &time));
  SYSTEMTIME back;
  ASSERT_TRUE(FileTimeToSystemTime(&time, &back));
  EXPECT_EQ(back.wDayOfWeek, 1);
}

TEST(FileTimeTest, ImpossibleDatesAreRefused) {
  FILETIME time;
  for (SYSTEMTIME bad : {Date(2003, 2, 29), Date(2003, 13, 1), Date(2003, 4, 31),
                         Date(1600, 12, 31), Date(2003, 1, 1, 24), Date(2003, 1, 0)}) {
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&bad, &time));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  FILETIME negative = FILETIME::FromTicks(1ull << 63);
  SYSTEMTIME out;
  EXPECT_FALSE(FileTimeToSystemTime(&negative, &out));
}

TEST(FileTimeTest, LocalTimeAppliesTheZoneBias) {
  HandheldConfig config;
  config.time_zone_bias_minutes = -120;
  testing::TempHandheld device(config);
  FILETIME utc = FILETIME::FromTicks(testing::kJune2003Noon), local, round_trip;
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  EXPECT_EQ(local.Ticks() - utc.Ticks(), 2ull * 3600 * 10'000'000);
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &round_trip));
  EXPECT_EQ(round_trip, utc);
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(now.wHour, 14);
  EXPECT_EQ(CompareFileTime(&utc, &local), -1);
  EXPECT_EQ(CompareFileTime(&local, &utc), 1);
  EXPECT_EQ(CompareFileTime(&utc, &round_trip), 0);
}

}  // namespace
}  // namespace platform
