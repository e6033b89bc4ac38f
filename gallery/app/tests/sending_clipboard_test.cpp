// Copies of the current picture on the clipboard, read back as a program
// that pastes them would read them.
#include <cstring>

#include "platform/gdi.h"
#include "sending_fixture.h"

namespace gallery::testing {
namespace {

class ClipboardCopyTest : public SendingFixture {
 protected:
  // The picture block's header, after checking the block's size.
  platform::BITMAPINFOHEADER Header(const std::vector<platform::BYTE>& block) {
    platform::BITMAPINFOHEADER header;
    EXPECT_GE(block.size(), sizeof header);
    if (block.size() < sizeof header) return header;
    std::memcpy(&header, block.data(), sizeof header);
    const std::size_t row = (static_cast<std::size_t>(header.biWidth) * 3 + 3) & ~std::size_t{3};
    EXPECT_EQ(block.size(), 40 + row * static_cast<std::size_t>(header.biHeight));
    return header;
  }
  // Blue, green, red of pixel (x, y), y counted from the top.
  static std::array<int, 3> Pixel(const std::vector<platform::BYTE>& block, int x, int y) {
    platform::BITMAPINFOHEADER header;
    std::memcpy(&header, block.data(), sizeof header);
    const std::size_t row = (static_cast<std::size_t>(header.biWidth) * 3 + 3) & ~std::size_t{3};
    const std::size_t at = 40 + (header.biHeight - 1 - y) * row + x * 3;
    return {block[at], block[at + 1], block[at + 2]};
  }
};

TEST_F(ClipboardCopyTest, AnEighthOf640x480Is80x60AndActualSizeIsWhole) {
  Put(kBmpPicture, MakeBmp(640, 480));
  StartOn(kBmpPicture);
  Command(kCommandClipboard125);
  auto block = Clipboard();
  ASSERT_TRUE(block);
  platform::BITMAPINFOHEADER header = Header(*block);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 80);
  EXPECT_EQ(header.biHeight, 60);
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 24);
  EXPECT_EQ(header.biCompression, platform::BI_RGB);

  Command(kCommandClipboardActual);
  block = Clipboard();
  ASSERT_TRUE(block);
  header = Header(*block);
  EXPECT_EQ(header.biWidth, 640);
  EXPECT_EQ(header.biHeight, 480);
  EXPECT_EQ(Pixel(*block, 10, 5), (std::array{0, 0, 255}));    // red at the top
  EXPECT_EQ(Pixel(*block, 10, 470), (std::array{255, 0, 0}));  // blue at the bottom
  EXPECT_EQ(Pixel(*block, 0, 470), (std::array{0, 255, 0}));   // green down the left

  Command(kCommandClipboard250);
  EXPECT_EQ(Header(*Clipboard()).biWidth, 160);
  Command(kCommandClipboard500);
  EXPECT_EQ(Header(*Clipboard()).biHeight, 240);
}

TEST_F(ClipboardCopyTest, OddRowWidthsArePaddedAndThePictureStaysUpright) {
  Put(kBmpPicture, MakeBmp(10, 8));
  StartOn(kBmpPicture);
  Command(kCommandClipboard500);  // 5 x 4: rows of 15 bytes, padded to 16
  const auto block = Clipboard();
  ASSERT_TRUE(block);
  const platform::BITMAPINFOHEADER header = Header(*block);
  EXPECT_EQ(header.biWidth, 5);
  EXPECT_EQ(header.biHeight, 4);
  EXPECT_EQ(block->size(), 40u + 16u * 4u);
  for (int y = 0; y < 4; ++y) {
    const std::array<int, 3> expected = y < 2 ? std::array{0, 0, 255} : std::array{255, 0, 0};
    EXPECT_EQ(Pixel(*block, 3, y), expected) << "row " << y;
  }
}

TEST_F(ClipboardCopyTest, ATinyPictureAtAnEighthGivesOnePixelNotNothing) {
  Put(kBmpPicture, MakeBmp(3, 3));
  StartOn(kBmpPicture);
  Command(kCommandClipboard125);
  const auto block = Clipboard();
  ASSERT_TRUE(block);
  EXPECT_EQ(Header(*block).biWidth, 1);
  EXPECT_EQ(Header(*block).biHeight, 1);
  EXPECT_TRUE(Boxes().empty());  // no out-of-memory message
}

TEST_F(ClipboardCopyTest, AFileThePictureLoaderRefusesLeavesTheClipboardAsItWas) {
  Put(kBmpPicture, "not a picture");
  StartOn(kBmpPicture);
  ASSERT_TRUE(platform::OpenClipboard(nullptr));
  platform::EmptyClipboard();
  platform::SetClipboardData(platform::CF_TEXT, {'h', 'i', 0});
  platform::CloseClipboard();
  Command(kCommandClipboard125);
  ASSERT_TRUE(platform::OpenClipboard(nullptr));  // closed again
  EXPECT_TRUE(platform::IsClipboardFormatAvailable(platform::CF_TEXT));
  EXPECT_FALSE(platform::IsClipboardFormatAvailable(platform::CF_DIB));
  platform::CloseClipboard();
}

TEST_F(ClipboardCopyTest, AMissingCurrentFileDoesNothing) {
  Put(kBmpPicture, MakeBmp(16, 16));
  StartOn(kBmpPicture);
  Remove(kBmpPicture);
  Command(kCommandClipboard125);
  EXPECT_FALSE(Clipboard());
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace gallery::testing
