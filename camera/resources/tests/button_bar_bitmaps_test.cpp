// The button bar: its background and the normal and pressed image of each
// of the five buttons, drawn over the background with black as the mask.
#include <gtest/gtest.h>

#include "bitmap_pixels.h"
#include "camera_resource_folder.h"
#include "platform/screen.h"

namespace camera::testing {
namespace {

using platform::UINT;
using platform::gdi::Surface;

constexpr int kBarTop = 180;  // the bar's screen row

struct Button {
  const char* name;
  int x;  // screen position
  int y;
  int width;
  int height;
  UINT normal;
  UINT pressed;
};

const Button kButtons[] = {
    {"Shutter", 174, 201, 49, 49, 287, 278}, {"Menu", 61, 227, 30, 30, 285, 279},
    {"Play", 101, 227, 30, 30, 286, 280},    {"Zoom Out", 91, 188, 32, 31, 281, 282},
    {"Zoom In", 127, 188, 32, 31, 283, 284},
};

TEST(ButtonBarBitmaps, BackgroundIsTheBarsSize) {
  Surface bar = LoadCameraBitmap(133);
  EXPECT_EQ(bar.width(), platform::screen::kWidth);
  EXPECT_EQ(bar.height(), 88);
}

TEST(ButtonBarBitmaps, ButtonsSitInWellsDarkerThanThePanel) {
  Surface bar = LoadCameraBitmap(133);
  ASSERT_FALSE(bar.empty());
  const double panel = MeanLuma(bar);
  for (const Button& button : kButtons) {
    const int top = button.y - kBarTop;
    ASSERT_LE(top + button.height, bar.height()) << button.name;
    EXPECT_LT(MeanLuma(bar, button.x, top, button.x + button.width, top + button.height), panel)
        << button.name;
  }
}

TEST(ButtonBarBitmaps, ImagesHaveTheButtonSizes) {
  for (const Button& button : kButtons) {
    for (UINT id : {button.normal, button.pressed}) {
      Surface image = LoadCameraBitmap(id);
      EXPECT_EQ(image.width(), button.width) << button.name << " " << id;
      EXPECT_EQ(image.height(), button.height) << button.name << " " << id;
    }
  }
}

TEST(ButtonBarBitmaps, ImagesLetTheWellShowAtTheCornersAndCoverTheMiddle) {
  for (const Button& button : kButtons) {
    for (UINT id : {button.normal, button.pressed}) {
      Surface image = LoadCameraBitmap(id);
      ASSERT_FALSE(image.empty()) << id;
      EXPECT_TRUE(IsTransparent(image.GetPixel(0, 0))) << id;
      EXPECT_TRUE(IsTransparent(image.GetPixel(image.width() - 1, image.height() - 1))) << id;
      EXPECT_FALSE(IsTransparent(image.GetPixel(image.width() / 2, image.height() / 2))) << id;
      EXPECT_GE(VisiblePixels(image) * 2, image.width() * image.height()) << id;
    }
  }
}

TEST(ButtonBarBitmaps, PressedImagesAreDarkerThanNormalOnes) {
  for (const Button& button : kButtons) {
    Surface normal = LoadCameraBitmap(button.normal);
    Surface pressed = LoadCameraBitmap(button.pressed);
    EXPECT_FALSE(SamePixels(normal, pressed)) << button.name;
    EXPECT_LT(MeanLuma(pressed), MeanLuma(normal)) << button.name;
  }
}

}  // namespace
}  // namespace camera::testing
