// Copies between contexts: plain, stretched (nearest and filtered) and
// transparent with a colour key.
#include <gtest/gtest.h>

#include "gdi_test_canvas.h"

namespace platform {
namespace {

using gdi_testing::Canvas;
using gdi_testing::kBlack;
using gdi_testing::kBlue;
using gdi_testing::kGreen;
using gdi_testing::kRed;
using gdi_testing::kWhite;

void Fill(HDC dc, RECT rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

TEST(BitBltTest, CopiesBetweenFormatsAtTheGivenPlaces) {
  Canvas source(4, 4, 16, kBlack);
  Fill(source.dc(), {1, 1, 3, 3}, kRed);
  Canvas dest(10, 10, 24, kWhite);
  ASSERT_TRUE(BitBlt(dest.dc(), 5, 6, 3, 3, source.dc(), 1, 1, SRCCOPY));
  EXPECT_EQ(dest.At(5, 6), kRed);
  EXPECT_EQ(dest.At(6, 7), kRed);
  EXPECT_EQ(dest.At(7, 8), kBlack);  // source (3, 3)
  EXPECT_EQ(dest.At(4, 6), kWhite);
  EXPECT_EQ(dest.At(8, 6), kWhite);
  EXPECT_EQ(dest.CountOther(kWhite), 9);
}

TEST(BitBltTest, ScrollingWithinOneBitmapHandlesTheOverlap) {
  Canvas canvas(6, 1, 24, kWhite);
  for (int x = 0; x < 6; ++x) SetPixel(canvas.dc(), x, 0, RGB(x * 10, 0, 0));
  BitBlt(canvas.dc(), 1, 0, 5, 1, canvas.dc(), 0, 0, SRCCOPY);
  for (int x = 1; x < 6; ++x) EXPECT_EQ(canvas.At(x, 0), RGB((x - 1) * 10, 0, 0)) << x;
}

TEST(BitBltTest, RasterOperationsCombineSourceAndDestination) {
  Canvas source(1, 1, 24, RGB(0x0F, 0xF0, 0x33));
  Canvas dest(1, 1, 24, RGB(0xFF, 0x0F, 0x30));
  BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, SRCAND);
  EXPECT_EQ(dest.At(0, 0), RGB(0x0F, 0x00, 0x30));
  BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, SRCPAINT);
  EXPECT_EQ(dest.At(0, 0), RGB(0x0F, 0xF0, 0x33));
  BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, SRCINVERT);
  EXPECT_EQ(dest.At(0, 0), kBlack);
  PatBlt(dest.dc(), 0, 0, 1, 1, WHITENESS);
  EXPECT_EQ(dest.At(0, 0), kWhite);
  EXPECT_FALSE(BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 0x12345678));
}

TEST(TransparentImageTest, BlackKeyLeavesTheBackgroundWhereTheBitmapIsBlack) {
  // An overlay: a red bar on black, drawn over a blue picture.
  Canvas overlay(8, 8, 24, kBlack);
  Fill(overlay.dc(), {2, 2, 6, 6}, kRed);
  Canvas picture(20, 20, 24, kBlue);
  ASSERT_TRUE(TransparentImage(picture.dc(), 4, 4, 8, 8, overlay.dc(), 0, 0, 8, 8, kBlack));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      bool in_bar = x >= 6 && x < 10 && y >= 6 && y < 10;
      ASSERT_EQ(picture.At(x, y), in_bar ? kRed : kBlue) << x << "," << y;
    }
  }
}

TEST(TransparentImageTest, TakesABitmapAndASixteenBitKey) {
  Canvas overlay(4, 4, 16, RGB(255, 0, 255));
  Fill(overlay.dc(), {0, 0, 2, 4}, kGreen);
  Canvas picture(4, 4, 24, kWhite);
  // The key's low bits are lost in 16 bits; it still matches.
  ASSERT_TRUE(
      TransparentImage(picture.dc(), 0, 0, 4, 4, overlay.bitmap(), 0, 0, 4, 4, RGB(255, 1, 254)));
  EXPECT_EQ(picture.At(0, 0), kGreen);
  EXPECT_EQ(picture.At(3, 3), kWhite);
}

TEST(StretchBltTest, NearestPixelFillsTheDestinationRectangle) {
  // Two by two quarters stretched into a 10x6 rectangle at (3, 2).
  Canvas source(2, 2, 24, kRed);
  SetPixel(source.dc(), 1, 0, kBlue);
  SetPixel(source.dc(), 0, 1, kGreen);
  SetPixel(source.dc(), 1, 1, kBlack);
  Canvas dest(20, 12, 24, kWhite);
  SetStretchBltMode(dest.dc(), COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(dest.dc(), 3, 2, 10, 6, source.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dest.CountOther(RECT{3, 2, 8, 5}, kRed), 0);
  EXPECT_EQ(dest.CountOther(RECT{8, 2, 13, 5}, kBlue), 0);
  EXPECT_EQ(dest.CountOther(RECT{3, 5, 8, 8}, kGreen), 0);
  EXPECT_EQ(dest.CountOther(RECT{8, 5, 13, 8}, kBlack), 0);
  EXPECT_EQ(dest.CountOther(kWhite), 60);
}

TEST(StretchBltTest, NegativeWidthMirrors) {
  Canvas source(2, 1, 24, kRed);
  SetPixel(source.dc(), 1, 0, kBlue);
  Canvas dest(3, 1, 24, kWhite);
  // From pixel 1 leftwards: pixels 1 and 0.
  StretchBlt(dest.dc(), 1, 0, -2, 1, source.dc(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dest.At(0, 0), kBlue);
  EXPECT_EQ(dest.At(1, 0), kRed);
  EXPECT_EQ(dest.At(2, 0), kWhite);
}

TEST(StretchBltTest, FilteredEnlargementBlendsAndShrinkingAverages) {
  Canvas source(2, 1, 24, kBlack);
  SetPixel(source.dc(), 1, 0, kWhite);
  Canvas wide(8, 1, 24, kRed);
  SetStretchBltMode(wide.dc(), HALFTONE);
  StretchBlt(wide.dc(), 0, 0, 8, 1, source.dc(), 0, 0, 2, 1, SRCCOPY);
  // Ends keep the source colours; between them grey rises steadily.
  EXPECT_EQ(wide.At(0, 0), kBlack);
  EXPECT_EQ(wide.At(7, 0), kWhite);
  int previous = -1;
  for (int x = 0; x < 8; ++x) {
    int level = GetRValue(wide.At(x, 0));
    EXPECT_GE(level, previous);
    EXPECT_EQ(wide.At(x, 0), RGB(level, level, level));
    previous = level;
  }
  EXPECT_GT(GetRValue(wide.At(4, 0)), 0);
  EXPECT_LT(GetRValue(wide.At(4, 0)), 255);

  // A 4x4 checkerboard shrunk to one pixel is its mean.
  Canvas checker(4, 4, 24, kBlack);
  for (int y = 0; y < 4; ++y) {
    for (int x = (y & 1); x < 4; x += 2) SetPixel(checker.dc(), x, y, kWhite);
  }
  Canvas one(1, 1, 24, kRed);
  SetStretchBltMode(one.dc(), HALFTONE);
  StretchBlt(one.dc(), 0, 0, 1, 1, checker.dc(), 0, 0, 4, 4, SRCCOPY);
  EXPECT_EQ(one.At(0, 0), RGB(128, 128, 128));
  // Nearest picks one of the two instead.
  SetStretchBltMode(one.dc(), COLORONCOLOR);
  StretchBlt(one.dc(), 0, 0, 1, 1, checker.dc(), 0, 0, 4, 4, SRCCOPY);
  EXPECT_TRUE(one.At(0, 0) == kWhite || one.At(0, 0) == kBlack);
}

}  // namespace
}  // namespace platform
