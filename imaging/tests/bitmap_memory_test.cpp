// The memory of bitmaps: black where promised, row padding always clear,
// a whole decode byte for byte what libjpeg itself gives, and the pixel
// bytes on hand counted up and back down.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "imaging_fixture.h"
#include "libjpeg_trap/error_trap.h"

namespace imaging::testing {
namespace {

// 21 pixels make 63 bytes a row, padded to 64.
constexpr int kOddWidth = 21;
constexpr int kOddHeight = 13;

bool AllZero(const std::uint8_t* bytes, std::size_t count) {
  return std::all_of(bytes, bytes + count, [](std::uint8_t b) { return b == 0; });
}

// Rows as libjpeg decodes the file: blue, green, red, unpadded.
struct ReferenceDecode {
  libjpeg_trap::ErrorTrap trap;
  jpeg_decompress_struct info;
  std::vector<std::uint8_t> rows;
  int width = 0;
  int height = 0;
};

bool DecodeWithLibjpeg(const std::vector<std::uint8_t>& file, ReferenceDecode* out) {
  out->info.err = out->trap.Install();
  if (setjmp(out->trap.jump)) {
    jpeg_destroy_decompress(&out->info);
    return false;
  }
  jpeg_create_decompress(&out->info);
  jpeg_mem_src(&out->info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&out->info, TRUE);
  out->info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&out->info);
  out->width = static_cast<int>(out->info.output_width);
  out->height = static_cast<int>(out->info.output_height);
  out->rows.resize(static_cast<std::size_t>(out->width) * 3 * out->height);
  while (out->info.output_scanline < out->info.output_height) {
    JSAMPROW row = out->rows.data() + static_cast<std::size_t>(out->info.output_scanline) *
                                          static_cast<std::size_t>(out->width) * 3;
    jpeg_read_scanlines(&out->info, &row, 1);
  }
  jpeg_finish_decompress(&out->info);
  jpeg_destroy_decompress(&out->info);
  return true;
}

TEST(BitmapMemoryTest, CreateIsBlackAndOverwriteKeepsPaddingClear) {
  {
    // Leave used memory behind for the next bitmap of this size to get.
    auto dirty = Bitmap::CreateForOverwrite(kOddWidth, kOddHeight);
    ASSERT_TRUE(dirty);
    std::memset(dirty->bits(), 0xA5, dirty->size_bytes());
  }
  auto black = Bitmap::Create(kOddWidth, kOddHeight);
  ASSERT_TRUE(black);
  EXPECT_EQ(black->stride(), 64);
  EXPECT_TRUE(AllZero(black->bits(), black->size_bytes()));

  {
    auto dirty = Bitmap::CreateForOverwrite(kOddWidth, kOddHeight);
    std::memset(dirty->bits(), 0xA5, dirty->size_bytes());
  }
  auto fresh = Bitmap::CreateForOverwrite(kOddWidth, kOddHeight);
  ASSERT_TRUE(fresh);
  for (int y = 0; y < kOddHeight; ++y) EXPECT_EQ(fresh->Row(y)[kOddWidth * 3], 0) << "row " << y;
  // Sizes refused alike.
  EXPECT_FALSE(Bitmap::CreateForOverwrite(0, 5));
  EXPECT_FALSE(Bitmap::CreateForOverwrite(65536, 1));
  EXPECT_FALSE(Bitmap::CreateForOverwrite(8192, 4096));
}

TEST(BitmapMemoryTest, LiveBytesCountEachBitmapUntilItGoes) {
  const std::size_t before = Bitmap::LiveBytes();
  auto one = Bitmap::Create(kOddWidth, kOddHeight);
  auto two = Bitmap::CreateForOverwrite(100, 10);
  ASSERT_TRUE(one && two);
  EXPECT_EQ(Bitmap::LiveBytes(), before + 64 * kOddHeight + 300 * 10);
  one.reset();
  EXPECT_EQ(Bitmap::LiveBytes(), before + 300 * 10);
  two.reset();
  EXPECT_EQ(Bitmap::LiveBytes(), before);
}

class WholeJpegDecodeTest : public ImagingTest {};

TEST_F(WholeJpegDecodeTest, EveryByteIsLibjpegsAndThePaddingIsClear) {
  const std::vector<std::uint8_t> file = EncodeJpeg(Quadrants(kOddWidth, kOddHeight, true));
  ReferenceDecode reference;
  ASSERT_TRUE(DecodeWithLibjpeg(file, &reference));
  // Used memory of the decode's size first, so that bytes the decoder
  // skipped would show.
  { std::memset(Bitmap::CreateForOverwrite(kOddWidth, kOddHeight)->bits(), 0xA5, 64 * 13); }
  std::unique_ptr<Bitmap> bitmap;
  ASSERT_EQ(load_(Put("odd.jpg", file).c_str(), &bitmap, 0, 0, nullptr), kLoadOk);
  ASSERT_EQ(bitmap->width(), reference.width);
  ASSERT_EQ(bitmap->height(), reference.height);
  for (int y = 0; y < kOddHeight; ++y) {
    const std::uint8_t* expected = reference.rows.data() + static_cast<std::size_t>(y) * 63;
    EXPECT_EQ(std::memcmp(bitmap->Row(y), expected, 63), 0) << "row " << y;
    EXPECT_EQ(bitmap->Row(y)[63], 0) << "row " << y;
  }
}

}  // namespace
}  // namespace imaging::testing
