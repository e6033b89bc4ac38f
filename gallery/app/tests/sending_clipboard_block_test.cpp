// The clipboard's picture block, byte by byte, and the sizes of a copy.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdi.h"
#include "sending/clipboard_block.h"

namespace gallery::sending {
namespace {

TEST(ClipboardBlockTest, ScalesBySidesInPerMilleAndNeverToNothing) {
  EXPECT_EQ(ScaledSide(640, 125), 80);
  EXPECT_EQ(ScaledSide(480, 125), 60);
  EXPECT_EQ(ScaledSide(640, 0), 640);
  EXPECT_EQ(ScaledSide(7, 500), 3);
  EXPECT_EQ(ScaledSide(3, 125), 1);  // 0.375 pixels
  EXPECT_EQ(ScaledSide(65535, 500), 32767);
}

TEST(ClipboardBlockTest, HoldsTheHeaderThenThePaddedRows) {
  // 5 x 2: rows of 15 bytes padded to 16.
  std::vector<platform::BYTE> rows(32);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<platform::BYTE>(i + 1);
  const auto block = MakeClipboardBlock(5, 2, rows.data());
  ASSERT_TRUE(block);
  ASSERT_EQ(block->size(), 40u + 32u);
  platform::BITMAPINFOHEADER header;
  std::memcpy(&header, block->data(), sizeof header);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 5);
  EXPECT_EQ(header.biHeight, 2);  // bottom-up
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 24);
  EXPECT_EQ(header.biCompression, platform::BI_RGB);
  EXPECT_EQ(header.biSizeImage, 0u);
  EXPECT_EQ(header.biXPelsPerMeter, 0);
  EXPECT_EQ(header.biClrUsed, 0u);
  EXPECT_EQ(std::vector<platform::BYTE>(block->begin() + 40, block->end()), rows);
  EXPECT_EQ(DibRowSize(5), 16u);
  EXPECT_EQ(DibRowSize(80), 240u);
  EXPECT_EQ(DibRowSize(1), 4u);
}

}  // namespace
}  // namespace gallery::sending
