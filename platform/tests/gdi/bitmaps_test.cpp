// Bitmaps and DIB sections: pixel layout as the programs fill it, object
// selection and deletion, PNG files.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "gdi_test_canvas.h"
#include "platform/gdi_png.h"
#include "platform/gdi_surface.h"
#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

using gdi_testing::Canvas;
using gdi_testing::MakeDib;

TEST(DibSectionTest, TwentyFourBitRowsAreBottomUpBlueGreenRedPaddedToFourBytes) {
  void* bits = nullptr;
  HBITMAP bitmap = MakeDib(3, 2, 24, &bits, /*top_down=*/false);
  ASSERT_NE(bitmap, nullptr);
  ASSERT_NE(bits, nullptr);
  BITMAP description;
  ASSERT_EQ(GetObject(bitmap, sizeof(description), &description), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(description.bmWidth, 3);
  EXPECT_EQ(description.bmHeight, 2);
  EXPECT_EQ(description.bmWidthBytes, 12);  // 9 bytes padded
  EXPECT_EQ(description.bmBitsPixel, 24);
  EXPECT_EQ(description.bmBits, bits);

  // Memory row 0 is the bottom line; pixel (1, 1) is at offset 3.
  auto* bytes = static_cast<BYTE*>(bits);
  bytes[3] = 0x30;  // blue
  bytes[4] = 0x20;  // green
  bytes[5] = 0x10;  // red
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));

  SetPixel(dc, 2, 0, RGB(1, 2, 3));  // top line: memory row 1
  EXPECT_EQ(bytes[12 + 6], 3);
  EXPECT_EQ(bytes[12 + 7], 2);
  EXPECT_EQ(bytes[12 + 8], 1);
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(DibSectionTest, SixteenBitPixelsAreRgb565Words) {
  void* bits = nullptr;
  HBITMAP bitmap = MakeDib(2, 2, 16, &bits);
  ASSERT_NE(bitmap, nullptr);
  auto* words = static_cast<BYTE*>(bits);
  // Top-down, stride 4: pixel (1, 0) at bytes 2..3, little-endian.
  const WORD orange = (31 << 11) | (32 << 5) | 0;
  words[2] = static_cast<BYTE>(orange);
  words[3] = static_cast<BYTE>(orange >> 8);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 130, 0));

  // Colours are kept to 5, 6 and 5 bits.
  EXPECT_EQ(SetPixel(dc, 0, 1, RGB(0x12, 0x34, 0x56)), RGB(0x10, 0x34, 0x52));
  WORD stored = static_cast<WORD>(words[4] | (words[5] << 8));
  EXPECT_EQ(stored, ((0x12 >> 3) << 11) | ((0x34 >> 2) << 5) | (0x56 >> 3));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(DibSectionTest, AcceptsRgb565MasksAndRefusesOtherFormats) {
  BITMAPINFO info;
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = 4;
  info.bmiHeader.biBitCount = 16;
  info.bmiHeader.biCompression = BI_BITFIELDS;
  const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
  std::memcpy(info.bmiColors, masks, sizeof(masks));
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
  EXPECT_NE(bitmap, nullptr);
  DeleteObject(bitmap);

  const DWORD rgb555[3] = {0x7C00, 0x03E0, 0x001F};
  std::memcpy(info.bmiColors, rgb555, sizeof(rgb555));
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits), nullptr);
  EXPECT_EQ(bits, nullptr);
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biBitCount = 8;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits), nullptr);
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biWidth = 0;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(BitmapTest, CreateBitmapTakesTopDownRowsPaddedToTwoBytes) {
  // 1x2 pixels of 24 bits: rows of 3 bytes padded to 4.
  const BYTE rows[8] = {0x00, 0x00, 0xFF, 0, 0xFF, 0x00, 0x00, 0};
  HBITMAP bitmap = CreateBitmap(1, 2, 1, 24, rows);
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  EXPECT_EQ(CreateBitmap(4, 4, 1, 8, nullptr), nullptr);
}

TEST(BitmapTest, CompatibleBitmapOfTheScreenIsSixteenBit) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 10, 5);
  BITMAP description;
  GetObject(bitmap, sizeof(description), &description);
  EXPECT_EQ(description.bmBitsPixel, 16);
  EXPECT_EQ(description.bmWidth, 10);
  EXPECT_EQ(description.bmBits, nullptr);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(GdiObjectTest, SelectReturnsWhatWasSelectedAndStaleHandlesFail) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ original = SelectObject(dc, red);
  EXPECT_EQ(original, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), red);
  EXPECT_EQ(SelectObject(dc, original), red);
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_FALSE(DeleteObject(red));
  EXPECT_EQ(SelectObject(dc, red), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  // Stock objects survive deletion.
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
  EXPECT_NE(SelectObject(dc, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
}

TEST(GdiObjectTest, BitmapDeletedWhileSelectedStaysUsableThere) {
  Canvas canvas(4, 4);
  HBITMAP bitmap = MakeDib(2, 2, 24);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  DeleteObject(bitmap);
  SetPixel(dc, 0, 0, RGB(9, 9, 9));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(9, 9, 9));
  SelectObject(dc, old);
  DeleteDC(dc);
}

TEST(PngFileTest, WritesAndReadsBackEveryPixel) {
  std::filesystem::path folder = testing::MakeTemporaryFolder("orsa-png");
  gdi::Surface surface(5, 3, 16);
  surface.SetPixel(0, 0, RGB(255, 0, 0));
  surface.SetPixel(4, 2, RGB(0, 0, 255));
  surface.SetPixel(2, 1, RGB(0x80, 0x80, 0x80));
  ASSERT_TRUE(gdi::WritePng(surface, folder / "shot.png"));
  std::optional<gdi::Surface> read = gdi::ReadPng(folder / "shot.png");
  ASSERT_TRUE(read);
  ASSERT_EQ(read->width(), 5);
  ASSERT_EQ(read->height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(read->GetPixel(x, y), surface.GetPixel(x, y));
  }
  EXPECT_FALSE(gdi::ReadPng(folder / "missing.png"));
  const BYTE junk[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
  EXPECT_FALSE(gdi::DecodePng(junk));
  EXPECT_FALSE(gdi::WritePng(gdi::Surface(), folder / "empty.png"));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace platform
