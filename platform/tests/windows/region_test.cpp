// Rectangle sets: the visible parts of windows and their invalid areas.
// The region type is internal to the window system.
#include "../../src/windows/region.h"

#include <gtest/gtest.h>

namespace platform::windows {
namespace {

long Area(const Region& region) {
  long area = 0;
  for (const RECT& rect : region.rects())
    area += (rect.right - rect.left) * (rect.bottom - rect.top);
  return area;
}

TEST(RegionTest, OverlappingAddsCountEachPixelOnce) {
  Region region(RECT{0, 0, 10, 10});
  region.Add(RECT{5, 5, 15, 15});
  EXPECT_EQ(Area(region), 100 + 100 - 25);
  EXPECT_EQ(region.Bounds(), (RECT{0, 0, 15, 15}));
  EXPECT_TRUE(region.Contains({14, 14}));
  EXPECT_FALSE(region.Contains({14, 2}));
}

TEST(RegionTest, SubtractingAHoleLeavesTheFrame) {
  Region region(RECT{0, 0, 10, 10});
  region.Subtract(RECT{2, 2, 8, 8});
  EXPECT_EQ(Area(region), 100 - 36);
  EXPECT_FALSE(region.Contains({5, 5}));
  EXPECT_TRUE(region.Contains({1, 5}));
  EXPECT_TRUE(region.Contains({8, 8}));
  region.Subtract(RECT{-5, -5, 20, 20});
  EXPECT_TRUE(region.empty());
}

TEST(RegionTest, IntersectingTwoRegionsKeepsWhatBothHold) {
  Region a(RECT{0, 0, 10, 10});
  a.Subtract(RECT{0, 0, 5, 10});  // right half
  Region b(RECT{0, 0, 10, 4});
  b.Add(RECT{0, 8, 10, 10});
  a.Intersect(b);
  EXPECT_EQ(Area(a), 5 * 4 + 5 * 2);
  a.Offset(100, 0);
  EXPECT_TRUE(a.Contains({107, 1}));
  EXPECT_FALSE(a.Contains({7, 1}));
}

}  // namespace
}  // namespace platform::windows
