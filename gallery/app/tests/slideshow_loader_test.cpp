// The share of the screen a clip's thumbnail covers, which decides whether
// it is turned a quarter to fit the screen.
#include <gtest/gtest.h>

#include "slideshow/slide_loader.h"

namespace gallery {
namespace {

TEST(SlideCoveredShare, FittedWithoutEnlargingAgainstTheWholeScreen) {
  // 640 x 480 fitted into 240 x 320 is 240 x 180: 56 %; turned, 480 x 640
  // fits as 240 x 320: all of it.
  EXPECT_EQ(CoveredShare(640, 480, 240, 320), 56);
  EXPECT_EQ(CoveredShare(480, 640, 240, 320), 100);
  // Smaller pictures are not enlarged.
  EXPECT_EQ(CoveredShare(120, 160, 240, 320), 25);
  EXPECT_EQ(CoveredShare(0, 160, 240, 320), 0);
  EXPECT_EQ(CoveredShare(640, 480, 0, 0), 0);
}

}  // namespace
}  // namespace gallery
