// How long each effect takes on the virtual clock: its steps and pauses.
#include <gtest/gtest.h>

#include "gallery/transitions/transition.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"

namespace gallery::transitions {
namespace {

using platform::gdi::Surface;

class TransitionTiming : public ::testing::Test {
 protected:
  // Plays the effect and returns the milliseconds it took and the frames
  // it presented.
  std::pair<platform::DWORD, int> Time(int effect, int direction, const Random& random) {
    auto transition = MakeTransition(effect, direction, PictureOf(old_), PictureOf(new_), random);
    int presented = 0;
    const platform::DWORD start = platform::GetTickCount();
    Play(*transition, PictureOf(screen_), [&](const platform::RECT&) { ++presented; });
    return {platform::GetTickCount() - start, presented};
  }

  platform::testing::TempHandheld device_;
  Surface old_{240, 320, 24};
  Surface new_{240, 320, 24};
  Surface screen_{240, 320, 24};
};

TEST_F(TransitionTiming, EachEffectTakesItsStepsTimesItsPause) {
  const Random zero = [](int) { return 0; };
  struct Expected {
    int effect;
    platform::DWORD ms;
    int frames;
  };
  const Expected table[] = {
      {0, 17 * 1, 17},          {1, 11 * 20, 10},  // the first wipe step covers nothing
      {2, 11 * 20, 10},         {3, 11 * 18, 11},  {4, 10 * 20, 10},  {5, 10 * 20, 10},
      {6, 10 * 20, 10},         {7, 10 * 20, 10},  {8, 11 * 20, 10},  {9, 0, 48 * 64},
      {10, 11 * 20, 11},        {11, 11 * 20, 10}, {16, 20 * 10, 20}, {17, 20 * 10, 20},
      {18, 17 + 200 + 220, 27}, {21, 11 * 20, 11},
  };
  for (const Expected& e : table) {
    const auto [ms, frames] = Time(e.effect, 3, zero);
    EXPECT_EQ(ms, e.ms) << "effect " << e.effect;
    EXPECT_EQ(frames, e.frames) << "effect " << e.effect;
  }
}

TEST_F(TransitionTiming, RandomStripsRunUntilTheSlowestStripIsIn) {
  // Every column at 320 / 50 + 0 = 6 pixels a step: 54 steps of 5 ms;
  // one column at 6 + 5 does not shorten it.
  EXPECT_EQ(Time(12, 0, [](int) { return 0; }).first, 54u * 5);
  // Every row at 240 / 50 + 5 = 9 pixels: 27 steps.
  EXPECT_EQ(Time(13, 0, [](int bound) { return bound - 1; }).first, 27u * 5);
}

TEST(ChooseEffect, KeepsAFixedOptionAndNeverRepeatsARandomOne) {
  EXPECT_EQ(ChooseEffect(7, 7, [](int) { return 0; }), 7);
  for (int previous = 0; previous < kEffectCount; ++previous)
    for (int pick = 0; pick < kEffectCount - 1; ++pick) {
      const int chosen = ChooseEffect(kRandomEffect, previous, [&](int) { return pick; });
      EXPECT_NE(chosen, previous);
      EXPECT_GE(chosen, 0);
      EXPECT_LT(chosen, kEffectCount);
    }
  EXPECT_EQ(ChooseEffect(kRandomEffect, -1, [](int bound) { return bound - 1; }), 21);
}

}  // namespace
}  // namespace gallery::transitions
