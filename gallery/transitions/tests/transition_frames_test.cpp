// The effects frame by frame against independent computations of what the
// screen must show, and the last frame of every effect in every direction.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "gallery/transitions/tone_table.h"
#include "gallery/transitions/transition.h"

namespace gallery::transitions {
namespace {

using platform::gdi::Surface;

constexpr int kWidth = 240;
constexpr int kHeight = 320;

// Two pictures that differ in every byte, so any pixel tells its source.
Surface Pattern(int width, int height, int seed) {
  Surface surface(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      surface.SetPixel(
          x, y,
          platform::RGB(static_cast<platform::BYTE>((x * 7 + y * 3 + seed) % 128 + seed),
                        static_cast<platform::BYTE>((x + y * 5) % 100 + seed),
                        static_cast<platform::BYTE>((x * y + seed) % 90 + seed)));
  return surface;
}

class TransitionFrames : public ::testing::Test {
 protected:
  explicit TransitionFrames(int width = kWidth, int height = kHeight)
      : old_(Pattern(width, height, 10)),
        new_(Pattern(width, height, 140)),
        screen_(old_),
        width_(width),
        height_(height) {}

  std::unique_ptr<Transition> Make(int effect, int direction, Random random = FixedRandom(0)) {
    return MakeTransition(effect, direction, PictureOf(old_), PictureOf(new_), random);
  }
  static Random FixedRandom(int value) {
    return [value](int bound) { return value % bound; };
  }
  // Runs `steps` frames and returns the last one.
  Frame Advance(Transition& transition, int steps) {
    Frame last{};
    for (int i = 0; i < steps; ++i) {
      auto frame = transition.Next(PictureOf(screen_));
      EXPECT_TRUE(frame.has_value()) << "frame " << i;
      if (!frame) break;
      last = *frame;
    }
    return last;
  }
  int RunToEnd(Transition& transition, platform::DWORD* pauses = nullptr) {
    int frames = 0;
    while (auto frame = transition.Next(PictureOf(screen_))) {
      ++frames;
      if (pauses) *pauses += frame->pause_ms;
    }
    return frames;
  }
  bool IsNew(int x, int y) const { return screen_.GetPixel(x, y) == new_.GetPixel(x, y); }
  bool IsOld(int x, int y) const { return screen_.GetPixel(x, y) == old_.GetPixel(x, y); }
  // Counts the screen pixels that differ from `expected(x, y)`.
  template <typename Expected>
  int Mismatches(Expected expected) const {
    int wrong = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (screen_.GetPixel(x, y) != expected(x, y)) ++wrong;
    return wrong;
  }
  bool ScreenIsNew() const {
    return Mismatches([&](int x, int y) { return new_.GetPixel(x, y); }) == 0;
  }

  Surface old_;
  Surface new_;
  Surface screen_;
  int width_;
  int height_;
};

TEST_F(TransitionFrames, CrossFadeBlendsEveryByteWithTheArithmeticShift) {
  auto fade = Make(0, 3);
  Advance(*fade, 9);  // steps 0 ... 8
  // Step 8 is the exact (rounded down) average of old and new.
  EXPECT_EQ(Mismatches([&](int x, int y) {
              const platform::COLORREF a = old_.GetPixel(x, y);
              const platform::COLORREF b = new_.GetPixel(x, y);
              return platform::RGB((platform::GetRValue(a) + platform::GetRValue(b)) / 2,
                                   (platform::GetGValue(a) + platform::GetGValue(b)) / 2,
                                   (platform::GetBValue(a) + platform::GetBValue(b)) / 2);
            }),
            0);
  Advance(*fade, 4);  // step 12: three quarters of the way, rounded towards minus infinity
  EXPECT_EQ(Mismatches([&](int x, int y) {
              const platform::COLORREF a = old_.GetPixel(x, y);
              const platform::COLORREF b = new_.GetPixel(x, y);
              auto mix = [](int from, int to) {
                return from + static_cast<int>(std::floor(12.0 * (to - from) / 16));
              };
              return platform::RGB(mix(platform::GetRValue(a), platform::GetRValue(b)),
                                   mix(platform::GetGValue(a), platform::GetGValue(b)),
                                   mix(platform::GetBValue(a), platform::GetBValue(b)));
            }),
            0);
}

TEST_F(TransitionFrames, CrossFadeTowardsADarkerPictureRoundsDown) {
  std::swap(old_, new_);
  screen_ = old_;
  auto fade = Make(0, 3);
  Advance(*fade, 2);  // step 1: old + (new - old) >> 4, a negative difference
  const int from = platform::GetRValue(old_.GetPixel(5, 5));
  const int to = platform::GetRValue(new_.GetPixel(5, 5));
  ASSERT_LT(to, from);
  EXPECT_EQ(platform::GetRValue(screen_.GetPixel(5, 5)),
            from + static_cast<int>(std::floor((to - from) / 16.0)));
}

TEST_F(TransitionFrames, VerticalBlindsAfterPassThreeHaveFourOfEveryTenColumnsNew) {
  auto blinds = Make(4, 0);
  Advance(*blinds, 4);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              return x % 10 < 4 ? new_.GetPixel(x, y) : old_.GetPixel(x, y);
            }),
            0);
  // Other directions count from the right of each band.
  screen_ = old_;
  auto from_right = Make(4, 3);
  Advance(*from_right, 4);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              return x % 10 >= 6 ? new_.GetPixel(x, y) : old_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, HorizontalBlindsCopyEveryTenthRowPerPass) {
  auto blinds = Make(5, 1);
  Advance(*blinds, 7);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              return y % 10 < 7 ? new_.GetPixel(x, y) : old_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, DissolveVisitsEveryFiveByFiveBlockExactlyOnceEndingAtTheOrigin) {
  auto dissolve = Make(9, 4);
  std::set<std::pair<int, int>> seen;
  std::pair<int, int> last;
  int frames = 0;
  while (auto frame = dissolve->Next(PictureOf(screen_))) {
    ++frames;
    EXPECT_EQ(frame->pause_ms, 0u);
    EXPECT_EQ(frame->changed.right - frame->changed.left, 5);
    EXPECT_EQ(frame->changed.bottom - frame->changed.top, 5);
    last = {frame->changed.left / 5, frame->changed.top / 5};
    EXPECT_TRUE(seen.insert(last).second) << last.first << "," << last.second;
  }
  EXPECT_EQ(frames, (kWidth / 5) * (kHeight / 5));
  EXPECT_EQ(last, (std::pair<int, int>{0, 0}));
  EXPECT_TRUE(ScreenIsNew());
}

TEST_F(TransitionFrames, DissolveFollowsTheShiftRegisterOrder) {
  // 48 x 64 blocks: 6 + 7 bits, taps 0x1B00; from 1 the register gives
  // 0x1B00 (column 0, row 0x6C), then 0xD80 (0, 0x36), then 0x6C0 (0, 0x1B).
  auto dissolve = Make(9, 0);
  std::vector<platform::RECT> rects;
  for (int i = 0; i < 4; ++i) rects.push_back(dissolve->Next(PictureOf(screen_))->changed);
  EXPECT_EQ(rects[0].left, 5);  // s = 1: column 1, row 0
  EXPECT_EQ(rects[0].top, 0);
  // s = 0x1B00 has row 0x6C = 108, outside 64 rows: skipped; so is 0xD80
  // (row 54 is inside): column 0, row 54.
  EXPECT_EQ(rects[1].left, 0);
  EXPECT_EQ(rects[1].top, 54 * 5);
  EXPECT_EQ(rects[2].top, 27 * 5);
}

TEST_F(TransitionFrames, WipeUncoversTenthsFromEachEdgeAndCorner) {
  struct Case {
    int direction;
    bool (*inside)(int x, int y);
  };
  // After step 4: 96 columns or 128 rows.
  const Case cases[] = {
      {0, [](int, int y) { return y < 128; }},
      {1, [](int, int y) { return y >= kHeight - 128; }},
      {2, [](int x, int) { return x < 96; }},
      {3, [](int x, int) { return x >= kWidth - 96; }},
      {5, [](int x, int y) { return x >= kWidth - 96 && y < 128; }},
      {6, [](int x, int y) { return x < 96 && y >= kHeight - 128; }},
  };
  for (const Case& c : cases) {
    screen_ = old_;
    auto wipe = Make(1, c.direction);
    Advance(*wipe, 5);
    EXPECT_EQ(Mismatches([&](int x, int y) {
                return c.inside(x, y) ? new_.GetPixel(x, y) : old_.GetPixel(x, y);
              }),
              0)
        << "direction " << c.direction;
  }
}

TEST_F(TransitionFrames, SlideInMovesTheNewPictureInFromTheRight) {
  auto slide = Make(2, 3);
  Advance(*slide, 4);  // step 3: 72 columns in
  EXPECT_EQ(Mismatches([&](int x, int y) {
              return x >= kWidth - 72 ? new_.GetPixel(x - (kWidth - 72), y) : old_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, SlideInFromTheTopLeftCornerShowsTheNewBottomRight) {
  auto slide = Make(2, 4, FixedRandom(4));  // any direction: variant 4
  Advance(*slide, 3);                       // step 2: 48 x 64
  EXPECT_EQ(Mismatches([&](int x, int y) {
              return x < 48 && y < 64 ? new_.GetPixel(x + kWidth - 48, y + kHeight - 64)
                                      : old_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, UncoverMovesTheOldPictureAwayFromTheStillNewOne) {
  auto uncover = Make(3, 3);
  const Frame frame = Advance(*uncover, 6);  // step 5: half the width
  EXPECT_EQ(frame.pause_ms, 18u);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              return x < kWidth - 120 ? old_.GetPixel(x + 120, y) : new_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, PushMovesBothPicturesTogether) {
  auto push = Make(21, 0);
  Advance(*push, 3);  // step 2: 64 rows from the top
  EXPECT_EQ(Mismatches([&](int x, int y) {
              return y < 64 ? new_.GetPixel(x, y + kHeight - 64) : old_.GetPixel(x, y - 64);
            }),
            0);
}

TEST_F(TransitionFrames, ClosingFrameAfterThreeStepsLeavesTheCentreOld) {
  auto frame_effect = Make(7, 0);
  Advance(*frame_effect, 3);  // bands 0, 1, 2 of twenty on each side
  EXPECT_EQ(Mismatches([&](int x, int y) {
              const bool centre = x >= 36 && x < 204 && y >= 48 && y < 272;
              return centre ? old_.GetPixel(x, y) : new_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, SqueezeStretchesTheWholeOldPictureIntoTheCentre) {
  auto squeeze = Make(6, 0);
  Advance(*squeeze, 1);  // centre (12, 16) - (228, 304) after the first bands
  EXPECT_EQ(Mismatches([&](int x, int y) {
              const bool centre = x >= 12 && x < 228 && y >= 16 && y < 304;
              if (!centre) return new_.GetPixel(x, y);
              return old_.GetPixel((x - 12) * kWidth / 216, (y - 16) * kHeight / 288);
            }),
            0);
}

TEST_F(TransitionFrames, CentreRectangleGrowsByTenths) {
  auto grow = Make(8, 2);
  Advance(*grow, 4);  // step 3: 72 x 96 in the middle
  EXPECT_EQ(Mismatches([&](int x, int y) {
              const bool inside = x >= 84 && x < 156 && y >= 112 && y < 208;
              return inside ? new_.GetPixel(x, y) : old_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, ZoomStretchesAGrowingPartOfTheNewPicture) {
  // The point (60, 80): at step 5 the part (30, 40) - (150, 200).
  int call = 0;
  auto zoom = Make(10, 0, [&](int) { return call++ == 0 ? 60 : 80; });
  Advance(*zoom, 6);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              return new_.GetPixel(30 + x * 120 / kWidth, 40 + y * 160 / kHeight);
            }),
            0);
}

TEST_F(TransitionFrames, ZoomOutStretchesTheWholeNewPictureIntoAGrowingPart) {
  int call = 0;
  auto zoom = Make(11, 0, [&](int) { return call++ == 0 ? 60 : 80; });
  Advance(*zoom, 6);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              const bool inside = x >= 30 && x < 150 && y >= 40 && y < 200;
              return inside ? new_.GetPixel((x - 30) * kWidth / 120, (y - 40) * kHeight / 160)
                            : old_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, RandomColumnsSlideInAtTheirOwnSpeeds) {
  // Speeds 320 / 50 + (0, 1, 2, 3, 4, 5, 0, ...) by column.
  int call = 0;
  auto columns = Make(12, 3, [&](int bound) { return call++ % bound; });
  Advance(*columns, 4);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              const int travel = 4 * (6 + (x / 10) % 6);
              // Downward from the top: the column's bottom part leads.
              return y < travel ? new_.GetPixel(x, y + kHeight - travel) : old_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, RandomRowsPushingPushTheOldRowsOut) {
  // Direction 0: rows come in from the left edge and push the old out.
  auto rows = Make(15, 0, FixedRandom(2));  // speed 240 / 50 + 2 = 6
  Advance(*rows, 5);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              return x < 30 ? new_.GetPixel(x + kWidth - 30, y) : old_.GetPixel(x - 30, y);
            }),
            0);
}

TEST_F(TransitionFrames, StaggeredColumnsFillAlternateColumnsFromBothEnds) {
  auto staggered = Make(16, 0);
  Frame frame = Advance(*staggered, 3);  // passes 0-2: 6 rows of every 40
  EXPECT_EQ(frame.pause_ms, 10u);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              const bool from_top = (x / 20) % 2 == 0;
              const int line = from_top ? y % 40 : (kHeight - 1 - y) % 40;
              return line < 6 ? new_.GetPixel(x, y) : old_.GetPixel(x, y);
            }),
            0);
}

TEST_F(TransitionFrames, SepiaFadeEndsOnTheTonedOldPictureThenHolds) {
  auto sepia = Make(18, 0);
  Advance(*sepia, 17);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              const platform::COLORREF c = old_.GetPixel(x, y);
              const ToneColour tone = ToneTable()[Luminance(
                  platform::GetRValue(c), platform::GetGValue(c), platform::GetBValue(c))];
              return platform::RGB(tone.red, tone.green, tone.blue);
            }),
            0);
  const Frame hold = Advance(*sepia, 1);
  EXPECT_EQ(hold.pause_ms, 200u);
  EXPECT_EQ(hold.changed, platform::RECT{});
}

TEST_F(TransitionFrames, ColdAndGreyFadesUseTheExchangedTableAndTheLuminance) {
  auto cold = Make(19, 0);
  Advance(*cold, 17);
  const platform::COLORREF c = old_.GetPixel(17, 33);
  const int luminance =
      (299 * platform::GetRValue(c) + 587 * platform::GetGValue(c) + 114 * platform::GetBValue(c)) /
      1000;
  const ToneColour tone = ToneTable()[luminance];
  EXPECT_EQ(screen_.GetPixel(17, 33), platform::RGB(tone.blue, tone.green, tone.red));
  screen_ = old_;
  auto grey = Make(20, 0);
  Advance(*grey, 17);
  EXPECT_EQ(screen_.GetPixel(17, 33), platform::RGB(luminance, luminance, luminance));
}

TEST(ToneTable, PassesThroughItsFixedEntriesFromBlackToWhite) {
  const auto& table = ToneTable();
  EXPECT_EQ(table[0], (ToneColour{0, 0, 0}));
  EXPECT_EQ(table[32], (ToneColour{55, 26, 3}));
  EXPECT_EQ(table[64], (ToneColour{115, 79, 40}));
  EXPECT_EQ(table[96], (ToneColour{158, 116, 78}));
  EXPECT_EQ(table[128], (ToneColour{191, 144, 111}));
  EXPECT_EQ(table[160], (ToneColour{209, 174, 149}));
  EXPECT_EQ(table[192], (ToneColour{224, 200, 180}));
  EXPECT_EQ(table[224], (ToneColour{237, 220, 207}));
  EXPECT_EQ(table[255], (ToneColour{255, 255, 255}));
  for (int i = 1; i < 256; ++i) {
    EXPECT_GE(table[i].red, table[i - 1].red) << i;
    EXPECT_GE(table[i].green, table[i - 1].green) << i;
    EXPECT_GE(table[i].blue, table[i - 1].blue) << i;
  }
}

// Every effect in every direction leaves exactly the new picture, also on
// a screen whose sides are not multiples of the effects' divisions.
class EveryEffectEnds : public TransitionFrames,
                        public ::testing::WithParamInterface<std::tuple<int, int, bool>> {
 protected:
  EveryEffectEnds()
      : TransitionFrames(std::get<2>(GetParam()) ? 237 : kWidth,
                         std::get<2>(GetParam()) ? 313 : kHeight) {}
};

TEST_P(EveryEffectEnds, OnExactlyTheNewPicture) {
  const auto [effect, direction, odd_size] = GetParam();
  std::mt19937 generator(effect * 10 + direction);
  auto transition = Make(effect, direction, [&](int bound) {
    return std::uniform_int_distribution<int>(0, bound - 1)(generator);
  });
  EXPECT_GT(RunToEnd(*transition), 0);
  EXPECT_TRUE(ScreenIsNew());
}

INSTANTIATE_TEST_SUITE_P(AllEffects, EveryEffectEnds,
                         ::testing::Combine(::testing::Range(0, kEffectCount),
                                            ::testing::Range(0, 5), ::testing::Bool()));

}  // namespace
}  // namespace gallery::transitions
