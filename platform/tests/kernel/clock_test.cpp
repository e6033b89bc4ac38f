// The virtual clock: time moves only when every handheld thread waits, and
// then straight to the nearest deadline.
#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "platform/sd_card.h"
#include "platform/settle.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

class VirtualClockTest : public ::testing::Test {
 protected:
  testing::TempHandheld device_;
};

TEST_F(VirtualClockTest, SleepersWakeInDeadlineOrderAtTheirVirtualTimes) {
  std::mutex log_mutex;
  std::vector<std::pair<DWORD, std::uint64_t>> wakes;
  std::vector<ThreadHandle> threads;
  for (DWORD ms : {120'000u, 2'000u, 30u}) {
    threads.push_back(CreateThread([&, ms]() -> DWORD {
      Sleep(ms);
      std::lock_guard lock(log_mutex);
      wakes.emplace_back(ms, clock::NowMs());
      return ms;
    }));
  }
  std::vector<Waitable*> all;
  for (auto& thread : threads) all.push_back(thread.get());
  EXPECT_EQ(WaitForMultipleObjects(all, true, INFINITE), WAIT_OBJECT_0);

  ASSERT_EQ(wakes.size(), 3u);
  EXPECT_EQ(wakes[0], (std::pair<DWORD, std::uint64_t>{30, 30}));
  EXPECT_EQ(wakes[1], (std::pair<DWORD, std::uint64_t>{2'000, 2'000}));
  EXPECT_EQ(wakes[2], (std::pair<DWORD, std::uint64_t>{120'000, 120'000}));
  EXPECT_EQ(clock::NowMs(), 120'000u);
  DWORD exit_code = 0;
  EXPECT_TRUE(GetExitCodeThread(threads[0], &exit_code));
  EXPECT_EQ(exit_code, 120'000u);
}

TEST_F(VirtualClockTest, TimeStandsStillWhileAnyHandheldThreadRuns) {
  auto go = CreateEvent(true, false);
  std::uint64_t woke_at = 0;
  ThreadHandle sleeper = CreateThread([&]() -> DWORD {
    Sleep(500);
    woke_at = clock::NowMs();
    return 0;
  });
  // This thread is a handheld thread too, and it has not waited yet: the
  // sleeper may not be woken early however long the host takes here.
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(GetTickCount(), 0u);
  EXPECT_EQ(WaitForSingleObject(*sleeper, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(woke_at, 500u);
}

TEST_F(VirtualClockTest, WaitTimesOutAtItsDeadlineAndManualAdvanceWakesWaiters) {
  auto never = CreateEvent(false, false);
  EXPECT_EQ(WaitForSingleObject(*never, 2'000), WAIT_TIMEOUT);
  EXPECT_EQ(clock::NowMs(), 2'000u);

  clock::Advance(250);
  EXPECT_EQ(GetTickCount(), 2'250u);
  EXPECT_EQ(WaitForSingleObject(*never, 0), WAIT_TIMEOUT);
  EXPECT_EQ(GetTickCount(), 2'250u);
}

TEST_F(VirtualClockTest, SpendingModelledCostMovesTheClockAndWakesDueSleepers) {
  bool woke = false;
  ThreadHandle sleeper = CreateThread([&]() -> DWORD {
    Sleep(1);
    woke = true;
    return 0;
  });
  // The creator is still running, so only the spent cost moves time.
  clock::Spend(400);
  EXPECT_EQ(clock::NowMs(), 0u);
  clock::Spend(700);
  EXPECT_EQ(clock::NowMs(), 1u);
  WaitForSingleObject(*sleeper, INFINITE);
  EXPECT_TRUE(woke);
}

TEST_F(VirtualClockTest, SettlingWaitsForTheOthersWorkWithoutMovingTheClock) {
  // A worker that moves time by bus costs while it runs, then waits for
  // something that never comes and for a deadline far ahead: settling must
  // see all of its costs and none of the deadline, however the host
  // scheduled it.
  auto never = CreateEvent(false, false);
  ThreadHandle worker = CreateThread([&]() -> DWORD {
    for (int i = 0; i < 50; ++i) clock::Spend(200);
    WaitForSingleObject(*never, 60'000);
    return 0;
  });
  clock::Settle();
  EXPECT_EQ(clock::NowMs(), 10u);
  clock::Settle();
  EXPECT_EQ(clock::NowMs(), 10u);
  Sleep(100);
  EXPECT_EQ(clock::NowMs(), 110u);
  SetEvent(never);
  EXPECT_EQ(WaitForSingleObject(*worker, INFINITE), WAIT_OBJECT_0);
}

TEST_F(VirtualClockTest, SystemTimeFollowsTheClockFromBootTime) {
  SYSTEMTIME boot;
  GetSystemTime(&boot);
  EXPECT_EQ(boot.wYear, 2003);
  EXPECT_EQ(boot.wMonth, 6);
  EXPECT_EQ(boot.wDay, 1);
  EXPECT_EQ(boot.wHour, 12);
  Sleep(90 * 60 * 1000);
  SYSTEMTIME later;
  GetSystemTime(&later);
  EXPECT_EQ(later.wHour, 13);
  EXPECT_EQ(later.wMinute, 30);
}

TEST(RealClockTest, WaitsTakeRealTime) {
  HandheldConfig config;
  config.virtual_clock = false;
  testing::TempHandheld device(config);
  auto never = CreateEvent(false, false);
  const DWORD start = GetTickCount();
  EXPECT_EQ(WaitForSingleObject(*never, 20), WAIT_TIMEOUT);
  EXPECT_GE(GetTickCount() - start, 20u);
  clock::Advance(10'000);  // ignored by a real clock
  EXPECT_LT(GetTickCount() - start, 10'000u);
}

TEST(RealClockTest, DevicesSeeModelledCostsAsPassedEvenBeforeTheyAreSlept) {
  HandheldConfig config;
  config.virtual_clock = false;
  testing::TempHandheld device(config);
  // A cost too small to sleep for is owed, yet a card looking at its clock
  // right after the request must see the request's time as gone.
  const std::uint64_t start = sd::CardClockUs();
  clock::Spend(25);
  EXPECT_GE(sd::CardClockUs(), start + 24);
  // Costs that add up to a millisecond are slept.
  const std::uint64_t before_ms = clock::NowMs();
  for (int i = 0; i < 200; ++i) clock::Spend(25);
  EXPECT_GE(clock::NowMs() - before_ms, 4u);
}

}  // namespace
}  // namespace platform
