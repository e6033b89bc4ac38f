// A periodic thread's steps on the virtual clock: when they run, and that
// none runs after Stop or after a step said it was done.
#include "platform/periodic_thread.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "platform/testing/temp_handheld.h"
#include "platform/time.h"

namespace platform {
namespace {

class PeriodicThreadTest : public ::testing::Test {
 protected:
  std::vector<DWORD> Ticks() {
    std::lock_guard lock(mutex_);
    return ticks_;
  }
  std::function<bool()> Recorder(std::size_t steps_wanted) {
    return [this, steps_wanted] {
      std::lock_guard lock(mutex_);
      ticks_.push_back(GetTickCount() - start_);
      return ticks_.size() < steps_wanted;
    };
  }

  testing::TempHandheld device_;
  DWORD start_ = GetTickCount();
  std::mutex mutex_;
  std::vector<DWORD> ticks_;
};

TEST_F(PeriodicThreadTest, StepsRunEveryPeriodUntilStopped) {
  PeriodicThread thread;
  thread.Start(100, Recorder(1'000), "test");
  Sleep(350);
  thread.Stop();
  EXPECT_EQ(Ticks(), (std::vector<DWORD>{100, 200, 300}));
  // Nothing runs after Stop has returned.
  Sleep(500);
  EXPECT_EQ(Ticks().size(), 3u);
  EXPECT_FALSE(thread.running());
}

TEST_F(PeriodicThreadTest, AStepThatIsDoneEndsTheThread) {
  PeriodicThread thread;
  thread.Start(50, Recorder(2), "test");
  Sleep(1'000);
  EXPECT_EQ(Ticks(), (std::vector<DWORD>{50, 100}));
}

TEST_F(PeriodicThreadTest, StartingAgainReplacesTheRunningThread) {
  PeriodicThread thread;
  thread.Start(100, Recorder(1'000), "first");
  Sleep(150);
  thread.Start(400, Recorder(1'000), "second");
  Sleep(500);
  // One step of the first at 100, then the second's first at 150 + 400.
  EXPECT_EQ(Ticks(), (std::vector<DWORD>{100, 550}));
}

}  // namespace
}  // namespace platform
