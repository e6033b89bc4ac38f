// The self-timer on the virtual clock: the digits of each second, the
// restart by a second press, and when the picture is taken.
#include <gtest/gtest.h>

#include <memory>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "platform/time.h"
#include "still_fixture.h"

namespace camera::testing {
namespace {

class SelfTimerTest : public StillTest {
 protected:
  bool Taken() const { return !Requests().empty(); }
  // Pumps until the picture is taken; the time from now it took.
  std::uint64_t MsUntilTaken(std::uint64_t limit) {
    const std::uint64_t start = platform::clock::NowMs();
    EXPECT_TRUE(PumpUntil([this] { return Taken(); }, limit));
    return platform::clock::NowMs() - start;
  }
};

TEST_F(SelfTimerTest, TenSecondsCountDownAndTheSecondPressStartsAgain) {
  Settings().selftime = 2;
  ASSERT_TRUE(still_.PressShutter(ShutterSource::kShutterButton));
  EXPECT_TRUE(Camera().self_timer_running);
  EXPECT_EQ(Camera().self_timer_digit, 10);
  EXPECT_FALSE(Taken()) << "nothing is taken at the press";
  Pump(1'500);
  EXPECT_EQ(Camera().self_timer_digit, 9);
  Pump(3'000);
  EXPECT_EQ(Camera().self_timer_digit, 6);
  // Again: from 10, and the picture 11 s after this press.
  ASSERT_TRUE(still_.PressShutter(ShutterSource::kShutterButton));
  Pump(100);
  EXPECT_EQ(Camera().self_timer_digit, 10);
  const std::uint64_t taken_after = MsUntilTaken(12'000) + 100;
  EXPECT_GE(taken_after, 11'000u);
  EXPECT_LE(taken_after, 11'100u);
  EXPECT_FALSE(Camera().self_timer_running);
  EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(SelfTimerTest, TwoSecondsShowTwoOneZeroAndTakeAboutThreeSecondsLater) {
  Settings().selftime = 1;
  ASSERT_TRUE(still_.PressShutter(ShutterSource::kActionKey));
  EXPECT_EQ(Camera().self_timer_digit, 2);
  Pump(500);
  EXPECT_EQ(Camera().self_timer_digit, 2);
  Pump(1'000);
  EXPECT_EQ(Camera().self_timer_digit, 1);
  Pump(1'000);
  EXPECT_EQ(Camera().self_timer_digit, 0);
  const std::uint64_t taken_after = MsUntilTaken(2'000) + 2'500;
  EXPECT_GE(taken_after, 3'000u);
  EXPECT_LE(taken_after, 3'100u);
}

TEST_F(SelfTimerTest, AnEarlierRunEndingLateLeavesTheNewRunsHooksAlone) {
  // The program of the card's previous insertion ends only after this one
  // has attached.
  auto earlier = std::make_unique<StillCapture>();
  earlier->Attach();
  still_.Attach();
  earlier.reset();
  Settings().selftime = 1;
  ASSERT_TRUE(still_.PressShutter(ShutterSource::kShutterButton));
  EXPECT_LE(MsUntilTaken(3'200), 3'100u);
}

TEST_F(SelfTimerTest, VideoModeEndsTheCountdownWithoutAPicture) {
  Settings().selftime = 2;
  still_.PressShutter(ShutterSource::kShutterButton);
  Pump(2'000);
  still_.StopSelfTimer();
  Pump(12'000);
  EXPECT_FALSE(Taken());
}

}  // namespace
}  // namespace camera::testing
