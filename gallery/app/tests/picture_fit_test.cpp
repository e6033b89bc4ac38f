// Fitting pictures into cells and the pane without enlarging them.
#include "picture_fit.h"

#include <gtest/gtest.h>

namespace gallery {
namespace {

TEST(PictureFitTest, SmallPicturesKeepTheirSizeAndLargeOnesKeepTheirShape) {
  EXPECT_EQ(FitWithoutEnlarging(20, 10, 40, 30), (FittedSize{20, 10}));
  EXPECT_EQ(FitWithoutEnlarging(1280, 960, 40, 30), (FittedSize{40, 30}));
  EXPECT_EQ(FitWithoutEnlarging(640, 240, 40, 30), (FittedSize{40, 15}));
  // Too high once as wide as the cell: as high as the cell instead.
  EXPECT_EQ(FitWithoutEnlarging(480, 640, 40, 30), (FittedSize{22, 30}));
  EXPECT_EQ(FitWithoutEnlarging(1, 1, 40, 30), (FittedSize{1, 1}));
  EXPECT_EQ(FitWithoutEnlarging(0, 10, 40, 30), (FittedSize{}));
}

}  // namespace
}  // namespace gallery
