// Threads, events, critical sections and forced termination.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

class SyncTest : public ::testing::Test {
 protected:
  testing::TempHandheld device_;
};

TEST_F(SyncTest, AutoResetEventReleasesOneWaiterPerSignal) {
  auto event = CreateEvent(false, false);
  std::atomic<int> released = 0;
  std::vector<ThreadHandle> waiters;
  for (int i = 0; i < 3; ++i) {
    waiters.push_back(CreateThread([&]() -> DWORD {
      if (WaitForSingleObject(*event, 1'000) == WAIT_OBJECT_0) ++released;
      return 0;
    }));
  }
  Sleep(10);  // all three wait now
  SetEvent(event);
  Sleep(10);
  EXPECT_EQ(released, 1);
  SetEvent(event);
  for (auto& waiter : waiters) WaitForSingleObject(*waiter, INFINITE);
  EXPECT_EQ(released, 2);  // the third timed out
  EXPECT_EQ(clock::NowMs(), 1'000u);
}

TEST_F(SyncTest, ManualResetEventStaysSignalledUntilReset) {
  auto event = CreateEvent(true, false);
  EXPECT_EQ(WaitForSingleObject(*event, 0), WAIT_TIMEOUT);
  SetEvent(event);
  EXPECT_EQ(WaitForSingleObject(*event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(*event, 0), WAIT_OBJECT_0);
  ResetEvent(event);
  EXPECT_EQ(WaitForSingleObject(*event, 0), WAIT_TIMEOUT);
  PulseEvent(event);
  EXPECT_EQ(WaitForSingleObject(*event, 0), WAIT_TIMEOUT);
}

TEST_F(SyncTest, WaitForMultipleObjectsReportsTheFirstSignalledOrAll) {
  auto a = CreateEvent(true, false);
  auto b = CreateEvent(false, false);
  Waitable* both[] = {a.get(), b.get()};
  EXPECT_EQ(WaitForMultipleObjects(both, false, 5), WAIT_TIMEOUT);
  SetEvent(b);
  EXPECT_EQ(WaitForMultipleObjects(both, false, 5), WAIT_OBJECT_0 + 1);
  SetEvent(b);
  EXPECT_EQ(WaitForMultipleObjects(both, true, 5), WAIT_TIMEOUT);
  // wait-all takes nothing until everything is signalled
  SetEvent(a);
  EXPECT_EQ(WaitForMultipleObjects(both, true, 5), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(*b, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(*a, 0), WAIT_OBJECT_0);

  Waitable* none[] = {nullptr};
  EXPECT_EQ(WaitForMultipleObjects(none, false, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(SyncTest, CriticalSectionExcludesOthersAndIsRecursive) {
  CriticalSection section;
  int inside = 0;
  int most_inside = 0;
  std::vector<ThreadHandle> threads;
  for (int i = 0; i < 4; ++i) {
    threads.push_back(CreateThread([&]() -> DWORD {
      for (int round = 0; round < 50; ++round) {
        std::lock_guard outer(section);
        std::lock_guard inner(section);
        most_inside = std::max(most_inside, ++inside);
        Sleep(1);  // the clock sees the others blocked on the section
        --inside;
      }
      return 0;
    }));
  }
  for (auto& thread : threads) WaitForSingleObject(*thread, INFINITE);
  EXPECT_EQ(most_inside, 1);
  EXPECT_EQ(clock::NowMs(), 200u);
  EXPECT_TRUE(section.TryEnter());
  section.Leave();
}

TEST_F(SyncTest, ThreadPriorityAndExitCodes) {
  auto gate = CreateEvent(true, false);
  ThreadHandle thread = CreateThread([&]() -> DWORD {
    WaitForSingleObject(*gate, INFINITE);
    ExitThread(42);
  });
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST));
  EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_HIGHEST);
  EXPECT_FALSE(SetThreadPriority(thread, 8));
  SetEvent(gate);
  EXPECT_EQ(WaitForSingleObject(*thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_NE(thread->id(), GetCurrentThreadId());
}

TEST_F(SyncTest, TerminateThreadEndsABlockedThreadAndReleasesItsResources) {
  struct Guard {
    bool* released;
    ~Guard() { *released = true; }
  };
  bool released = false;
  bool ran_past_wait = false;
  auto never = CreateEvent(false, false);
  ThreadHandle thread = CreateThread([&]() -> DWORD {
    Guard guard{&released};
    WaitForSingleObject(*never, INFINITE);
    ran_past_wait = true;
    return 0;
  });
  Sleep(5);
  EXPECT_TRUE(TerminateThread(thread, 7));
  EXPECT_EQ(WaitForSingleObject(*thread, 1'000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 7u);
  EXPECT_TRUE(released);
  EXPECT_FALSE(ran_past_wait);
  EXPECT_FALSE(TerminateThread(thread, 8));  // already gone
}

TEST_F(SyncTest, LastErrorBelongsToEachThread) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  DWORD seen_there = 1;
  ThreadHandle thread = CreateThread([&]() -> DWORD {
    seen_there = GetLastError();
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
  });
  WaitForSingleObject(*thread, INFINITE);
  EXPECT_EQ(seen_there, ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(HandheldShutdownTest, EndsThreadsStillWaiting) {
  bool ended = false;
  {
    testing::TempHandheld device;
    auto never = CreateEvent(false, false);
    CreateThread([&]() -> DWORD {
      struct Mark {
        bool* ended;
        ~Mark() { *ended = true; }
      } mark{&ended};
      WaitForSingleObject(*never, INFINITE);
      return 0;
    });
    Sleep(1);  // let it reach its wait
  }
  EXPECT_TRUE(ended);
}

}  // namespace
}  // namespace platform
