// DIB sections drawn from the caller's own rows: no copy, the memory kept
// alive exactly as long as the bitmap is in use.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gdi.h"
#include "platform/gdi_dib.h"
#include "platform/last_error.h"

namespace platform {
namespace {

BITMAPINFO TopDown24(int width, int height) {
  BITMAPINFO info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biBitCount = 24;
  return info;
}

// Rows of a 3 x 2 picture, padded to 12 bytes, owned by a vector whose
// end the test can watch.
struct WatchedRows {
  std::shared_ptr<std::vector<BYTE>> rows = std::make_shared<std::vector<BYTE>>(24, 0);
  std::weak_ptr<std::vector<BYTE>> watch = rows;

  std::shared_ptr<BYTE> Handed() {
    std::shared_ptr<BYTE> first(rows, rows->data());
    rows.reset();  // from here on only the bitmap keeps them
    return first;
  }
};

TEST(CreateDIBSectionOver, DrawsTheCallersRowsInPlace) {
  WatchedRows watched;
  BYTE* memory = watched.rows->data();
  // Top row: red, green, blue; bottom row: white, black, grey.
  const BYTE rows[24] = {0,   0,   255, 0, 255, 0, 255, 0,   0,   0, 0, 0,
                         255, 255, 255, 0, 0,   0, 128, 128, 128, 0, 0, 0};
  std::copy(std::begin(rows), std::end(rows), memory);
  const BITMAPINFO info = TopDown24(3, 2);
  HBITMAP bitmap = CreateDIBSectionOver(&info, watched.Handed());
  ASSERT_NE(bitmap, nullptr);

  BITMAP description;
  ASSERT_EQ(GetObject(bitmap, sizeof description, &description), int{sizeof description});
  EXPECT_EQ(description.bmBits, memory);  // no copy was made
  EXPECT_EQ(description.bmWidth, 3);
  EXPECT_EQ(description.bmHeight, 2);
  EXPECT_EQ(description.bmWidthBytes, 12);

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 2, 1), RGB(128, 128, 128));
  // Drawing lands in the caller's memory, and what the caller writes
  // there is what the next blit reads.
  SetPixel(dc, 1, 1, RGB(10, 20, 30));
  EXPECT_EQ(memory[12 + 3], 30);
  EXPECT_EQ(memory[12 + 5], 10);
  memory[0] = 77;
  HDC copy_dc = CreateCompatibleDC(nullptr);
  HBITMAP copy = CreateBitmap(3, 2, 1, 24, nullptr);
  HGDIOBJ copy_old = SelectObject(copy_dc, copy);
  BitBlt(copy_dc, 0, 0, 3, 2, dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(copy_dc, 0, 0), RGB(255, 0, 77));
  EXPECT_EQ(GetPixel(copy_dc, 1, 1), RGB(10, 20, 30));
  SelectObject(copy_dc, copy_old);
  DeleteDC(copy_dc);
  DeleteObject(copy);

  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(CreateDIBSectionOver, KeepsTheMemoryWhileTheBitmapIsInUse) {
  WatchedRows watched;
  const BITMAPINFO info = TopDown24(3, 2);
  HBITMAP bitmap = CreateDIBSectionOver(&info, watched.Handed());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_FALSE(watched.watch.expired());

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  // Deleted while selected: the context still draws into it.
  DeleteObject(bitmap);
  EXPECT_FALSE(watched.watch.expired());
  EXPECT_NE(SetPixel(dc, 0, 0, RGB(1, 2, 3)), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(1, 2, 3));
  // Replaced there: nothing uses it any more, and the memory goes.
  SelectObject(dc, old);
  EXPECT_TRUE(watched.watch.expired());
  DeleteDC(dc);
}

TEST(CreateDIBSectionOver, GoesWithItsBitmapWhenNeverSelected) {
  WatchedRows watched;
  const BITMAPINFO info = TopDown24(3, 2);
  HBITMAP bitmap = CreateDIBSectionOver(&info, watched.Handed());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(watched.watch.expired());
}

TEST(CreateDIBSectionOver, BottomUpRowsAreReadBottomFirst) {
  auto rows = std::make_shared<std::vector<BYTE>>(24, 0);
  (*rows)[2] = 255;       // first row in memory: red at the left
  (*rows)[12 + 0] = 255;  // second: blue at the left
  BITMAPINFO info = TopDown24(3, 2);
  info.bmiHeader.biHeight = 2;
  HBITMAP bitmap = CreateDIBSectionOver(&info, std::shared_ptr<BYTE>(rows, rows->data()));
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(CreateDIBSectionOver, ScrollingWithinItselfReadsASnapshot) {
  auto rows = std::make_shared<std::vector<BYTE>>(24, 0);
  const BITMAPINFO info = TopDown24(3, 2);
  HBITMAP bitmap = CreateDIBSectionOver(&info, std::shared_ptr<BYTE>(rows, rows->data()));
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SetPixel(dc, 0, 0, RGB(255, 0, 0));
  SetPixel(dc, 1, 0, RGB(0, 255, 0));
  // Overlapping copy one pixel right: reads the row as it was.
  BitBlt(dc, 1, 0, 2, 1, dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 255, 0));
  // Still the caller's memory that changed: red in pixel 1, green in 2.
  EXPECT_EQ((*rows)[5], 255);
  EXPECT_EQ((*rows)[7], 255);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(CreateDIBSectionOver, RefusesWhatCreateDIBSectionRefusesAndNoMemory) {
  auto rows = std::make_shared<std::vector<BYTE>>(64, 0);
  std::shared_ptr<BYTE> first(rows, rows->data());
  BITMAPINFO eight_bits = TopDown24(3, 2);
  eight_bits.bmiHeader.biBitCount = 8;
  SetLastError(0);
  EXPECT_EQ(CreateDIBSectionOver(&eight_bits, first), nullptr);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
  const BITMAPINFO empty = TopDown24(0, 2);
  EXPECT_EQ(CreateDIBSectionOver(&empty, first), nullptr);
  EXPECT_EQ(CreateDIBSectionOver(nullptr, first), nullptr);
  const BITMAPINFO fine = TopDown24(3, 2);
  EXPECT_EQ(CreateDIBSectionOver(&fine, nullptr), nullptr);
  // Nothing refused holds on to the memory.
  EXPECT_EQ(rows.use_count(), 2);
}

}  // namespace
}  // namespace platform
