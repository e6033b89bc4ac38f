// GetDIBits and packed DIBs: a bitmap's pixels out in the caller's format.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gdi_test_canvas.h"
#include "platform/gdi.h"
#include "platform/gdi_dib.h"
#include "platform/last_error.h"

namespace platform {
namespace {

// A 3 x 2 picture: red, green, blue over white, black, grey.
HBITMAP Picture() {
  HBITMAP bitmap = CreateBitmap(3, 2, 1, 24, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF colours[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                  {RGB(255, 255, 255), RGB(0, 0, 0), RGB(128, 128, 128)}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) SetPixel(dc, x, y, colours[y][x]);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

TEST(GetDIBits, WithoutBitsItDescribesTheBitmap) {
  HBITMAP bitmap = Picture();
  BITMAPINFO info;
  EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 2, nullptr, &info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(info.bmiHeader.biWidth, 3);
  EXPECT_EQ(info.bmiHeader.biHeight, 2);
  EXPECT_EQ(info.bmiHeader.biBitCount, 24);
  EXPECT_EQ(info.bmiHeader.biSizeImage, 2u * 12);  // rows padded to 4 bytes
  DeleteObject(bitmap);
}

TEST(GetDIBits, BottomUpRowsComeBottomFirstIn24Bits) {
  HBITMAP bitmap = Picture();
  BITMAPINFO info;
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biBitCount = 24;
  std::vector<BYTE> bits(24, 0xEE);
  ASSERT_EQ(GetDIBits(nullptr, bitmap, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 2);
  // First the bottom row: white, black, grey (blue, green, red bytes).
  EXPECT_EQ(bits[0], 255);
  EXPECT_EQ(bits[3], 0);
  EXPECT_EQ(bits[6], 128);
  // Then the top row: red is blue 0, green 0, red 255.
  EXPECT_EQ(bits[12 + 2], 255);
  EXPECT_EQ(bits[12 + 0], 0);
  // Only the second scan line: the top row.
  std::vector<BYTE> one(12, 0);
  ASSERT_EQ(GetDIBits(nullptr, bitmap, 1, 5, one.data(), &info, DIB_RGB_COLORS), 1);
  EXPECT_EQ(std::vector<BYTE>(bits.begin() + 12, bits.end()), one);
  DeleteObject(bitmap);
}

TEST(GetDIBits, TopDownRgb565) {
  HBITMAP bitmap = Picture();
  BITMAPINFO info;
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = -2;
  info.bmiHeader.biBitCount = 16;
  std::vector<WORD> bits(8, 0);  // rows of 3 words padded to 4
  ASSERT_EQ(GetDIBits(nullptr, bitmap, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(bits[0], 0xF800);  // red
  EXPECT_EQ(bits[1], 0x07E0);  // green
  EXPECT_EQ(bits[2], 0x001F);  // blue
  EXPECT_EQ(bits[4], 0xFFFF);  // white
  DeleteObject(bitmap);
}

TEST(GetDIBits, AFormatItCannotWriteOrAWrongSizeFails) {
  HBITMAP bitmap = Picture();
  BITMAPINFO info;
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biBitCount = 8;
  std::vector<BYTE> bits(64);
  EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biWidth = 4;
  EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 0);
  EXPECT_EQ(GetDIBits(nullptr, nullptr, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 0);
  DeleteObject(bitmap);
}

TEST(PackedDib, ASurfaceSurvivesTheTripInBothDepths) {
  for (int depth : {16, 24}) {
    gdi::Surface surface(5, 3, depth);
    surface.SetPixel(0, 0, RGB(255, 0, 0));
    surface.SetPixel(4, 2, RGB(0, 0, 255));
    surface.SetPixel(2, 1, RGB(0, 255, 0));
    const std::vector<BYTE> dib = gdi::PackedDibFromSurface(surface);
    std::optional<gdi::Surface> back = gdi::SurfaceFromPackedDib(dib);
    ASSERT_TRUE(back) << depth;
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) EXPECT_EQ(back->GetPixel(x, y), surface.GetPixel(x, y));
    }
  }
}

TEST(PackedDib, AShortOrStrangeBlockIsRefused) {
  gdi::Surface surface(4, 4, 24);
  std::vector<BYTE> dib = gdi::PackedDibFromSurface(surface);
  EXPECT_FALSE(gdi::SurfaceFromPackedDib(std::span(dib).first(dib.size() - 1)));
  EXPECT_FALSE(gdi::SurfaceFromPackedDib(std::span(dib).first(20)));
  dib[14] = 8;  // 8 bits a pixel
  EXPECT_FALSE(gdi::SurfaceFromPackedDib(dib));
}

}  // namespace
}  // namespace platform
