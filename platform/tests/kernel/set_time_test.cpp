// Setting the wall clock: dates move, the tick count and waits do not.
#include <gtest/gtest.h>

#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"
#include "platform/clock_setting.h"
#include "platform/time.h"

namespace platform {
namespace {

TEST(SetTime, LocalTimeMovesTheClockButNotTheTicks) {
  HandheldConfig config;
  config.time_zone_bias_minutes = -60;  // an hour ahead of UTC
  testing::TempHandheld device(config);
  Sleep(1500);
  const DWORD ticks = GetTickCount();
  SYSTEMTIME wanted;
  wanted.wYear = 2026;
  wanted.wMonth = 12;
  wanted.wDay = 8;
  wanted.wHour = 9;
  wanted.wMinute = 30;
  ASSERT_TRUE(SetLocalTime(&wanted));
  EXPECT_EQ(GetTickCount(), ticks);
  SYSTEMTIME local, utc;
  GetLocalTime(&local);
  GetSystemTime(&utc);
  EXPECT_EQ(local.wYear, 2026);
  EXPECT_EQ(local.wDay, 8);
  EXPECT_EQ(local.wHour, 9);
  EXPECT_EQ(local.wMinute, 30);
  EXPECT_EQ(local.wDayOfWeek, 2);  // a Tuesday
  EXPECT_EQ(utc.wHour, 8);
  // Time goes on from there.
  Sleep(60'000);
  GetLocalTime(&local);
  EXPECT_EQ(local.wMinute, 31);
}

TEST(SetTime, AnImpossibleDateIsRefusedAndChangesNothing) {
  testing::TempHandheld device;
  SYSTEMTIME before;
  GetSystemTime(&before);
  SYSTEMTIME wrong;
  wrong.wYear = 2026;
  wrong.wMonth = 13;
  wrong.wDay = 1;
  EXPECT_FALSE(SetSystemTime(&wrong));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SYSTEMTIME after;
  GetSystemTime(&after);
  EXPECT_EQ(after.wYear, before.wYear);
  EXPECT_EQ(after.wMonth, before.wMonth);
}

}  // namespace
}  // namespace platform
