// Fitting arithmetic, the averaging reduction and the quarter turns, alone
// and through ScaleBitmap and RotateBitmap.
#include <gtest/gtest.h>

#include <cstring>

#include "fit.h"
#include "imaging_fixture.h"
#include "quarter_turn.h"
#include "resample.h"

namespace imaging::testing {
namespace {

std::unique_ptr<Bitmap> FromPicture(const Picture& picture) {
  auto bitmap = Bitmap::Create(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb c = picture.At(x, y);
      bitmap->SetPixel(x, y, c.red, c.green, c.blue);
    }
  }
  return bitmap;
}

TEST(FitTest, FitsWithinKeepingProportions) {
  EXPECT_EQ(FitWithin({1280, 960}, {40, 30}), (Size{40, 30}));
  EXPECT_EQ(FitWithin({960, 1280}, {40, 30}), (Size{23, 30}));
  EXPECT_EQ(FitWithin({1000, 10}, {40, 30}), (Size{40, 1}));
  EXPECT_EQ(FitWithin({10, 5000}, {40, 30}), (Size{1, 30}));  // never below one pixel
  EXPECT_EQ(FitWithin({20, 10}, {40, 30}), (Size{20, 10}));   // never enlarged
  EXPECT_EQ(FitWithin({800, 600}, {0, 0}), (Size{800, 600}));
  EXPECT_EQ(FitWithin({800, 600}, {0, 300}), (Size{400, 300}));
}

TEST(FitTest, TurnOnlyWhenItCoversMore) {
  EXPECT_TRUE(TurnCoversMore({480, 640}, {320, 240}));
  EXPECT_FALSE(TurnCoversMore({640, 480}, {320, 240}));
  EXPECT_FALSE(TurnCoversMore({100, 120}, {320, 240}));  // fits either way
  EXPECT_FALSE(TurnCoversMore({480, 640}, {0, 0}));
}

TEST(FitTest, TransformReductionCoversTheFittedSize) {
  EXPECT_EQ(DctScaleEighths({1280, 960}, {40, 30}, Bitmap::kMaxPixels), 1);
  EXPECT_EQ(DctScaleEighths({1280, 960}, {240, 180}, Bitmap::kMaxPixels), 2);
  EXPECT_EQ(DctScaleEighths({1280, 960}, {1280, 960}, Bitmap::kMaxPixels), 8);
  EXPECT_EQ(DctScaleEighths({1280, 960}, {0, 0}, Bitmap::kMaxPixels), 8);
  // One pixel more than a half needs 5/8.
  EXPECT_EQ(DctScaleEighths({1280, 960}, {640, 480}, Bitmap::kMaxPixels), 4);
  EXPECT_EQ(DctScaleEighths({1280, 960}, {641, 481}, Bitmap::kMaxPixels), 5);
  // Too large for memory whole: the largest reduction that fits.
  EXPECT_EQ(DctScaleEighths({16000, 16000}, {0, 0}, Bitmap::kMaxPixels), 2);
  EXPECT_EQ(DctScaleEighths({65535, 65535}, {0, 0}, Bitmap::kMaxPixels), 0);
}

TEST(ResampleTest, AveragesTheAreaEachPixelCovers) {
  // Alternate black and white columns average to grey.
  Picture stripes{8, 4, {}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      const std::uint8_t v = x % 2 ? 255 : 0;
      stripes.pixels.push_back({v, v, v});
    }
  }
  auto halved = Resample(*FromPicture(stripes), {4, 2});
  ASSERT_TRUE(halved);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(Near(PixelOf(*halved, x, y), {128, 128, 128}, 1));
  }
  // At a ratio that splits source pixels, a flat picture stays exactly flat.
  Picture flat{7, 5, std::vector<Rgb>(35, Rgb{17, 99, 201})};
  auto third = Resample(*FromPicture(flat), {3, 2});
  ASSERT_TRUE(third);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelOf(*third, x, y), (Rgb{17, 99, 201}));
  }
}

TEST(QuarterTurnTest, TurnsEachWayAndBackAgain) {
  const Picture picture = Quadrants(6, 4);
  auto bitmap = FromPicture(picture);
  auto left = QuarterTurn(*bitmap, kTurnCounterClockwise);
  ASSERT_EQ(left->width(), 4);
  ASSERT_EQ(left->height(), 6);
  // Counter-clockwise: the top-right corner comes to the top-left.
  EXPECT_EQ(PixelOf(*left, 0, 0), picture.At(5, 0));
  EXPECT_EQ(PixelOf(*left, 0, 5), picture.At(0, 0));
  auto right = QuarterTurn(*bitmap, kTurnClockwise);
  // Clockwise: the bottom-left corner comes to the top-left.
  EXPECT_EQ(PixelOf(*right, 0, 0), picture.At(0, 3));
  EXPECT_EQ(PixelOf(*right, 3, 0), picture.At(0, 0));
  auto back = QuarterTurn(*left, kTurnClockwise);
  ASSERT_EQ(back->size_bytes(), bitmap->size_bytes());
  EXPECT_EQ(std::memcmp(back->bits(), bitmap->bits(), bitmap->size_bytes()), 0);
}

using BitmapExportsTest = ImagingTest;

TEST_F(BitmapExportsTest, ScaleBitmapReplacesOnlyWhatDoesNotFit) {
  std::unique_ptr<Bitmap> bitmap = FromPicture(Quadrants(320, 240));
  platform::DWORD scale = 0;
  ASSERT_TRUE(scale_(&bitmap, 240, 320, &scale));  // the slideshow's swapped limits
  EXPECT_EQ(bitmap->width(), 240);
  EXPECT_EQ(bitmap->height(), 180);
  EXPECT_EQ(scale, 750u);
  const Bitmap* same = bitmap.get();
  ASSERT_TRUE(scale_(&bitmap, 400, 400, &scale));
  EXPECT_EQ(bitmap.get(), same);  // fits already: kept, not enlarged
  EXPECT_EQ(scale, 1000u);
  std::unique_ptr<Bitmap> none;
  EXPECT_FALSE(scale_(&none, 40, 30, nullptr));
  EXPECT_FALSE(scale_(nullptr, 40, 30, nullptr));
}

TEST_F(BitmapExportsTest, RotateBitmapTurnsAndChecksItsArguments) {
  const Picture picture = Quadrants(32, 24);
  std::unique_ptr<Bitmap> bitmap = FromPicture(picture);
  platform::DWORD scale = 750;
  ASSERT_TRUE(rotate_(&bitmap, kTurnClockwise, &scale));
  EXPECT_EQ(bitmap->width(), 24);
  EXPECT_EQ(bitmap->height(), 32);
  EXPECT_EQ(PixelOf(*bitmap, 23, 0), picture.At(0, 0));
  EXPECT_EQ(scale, 750u);
  EXPECT_FALSE(rotate_(&bitmap, 2, nullptr));
  EXPECT_EQ(bitmap->width(), 24);
  std::unique_ptr<Bitmap> none;
  EXPECT_FALSE(rotate_(&none, 0, nullptr));
}

}  // namespace
}  // namespace imaging::testing
