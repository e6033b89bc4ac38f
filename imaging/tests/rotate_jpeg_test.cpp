// Lossless quarter turns of JPEG files in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "imaging_fixture.h"

namespace imaging::testing {
namespace {

class RotateJpegTest : public ImagingTest {
 protected:
  std::unique_ptr<Bitmap> Decode(const std::string& path) {
    std::unique_ptr<Bitmap> bitmap;
    EXPECT_EQ(load_(path.c_str(), &bitmap, 0, 0, nullptr), kLoadOk);
    return bitmap;
  }
};

TEST_F(RotateJpegTest, FourTurnsGiveBackThePixelsAndKeepCommentAndExif) {
  const std::string path =
      Put("snap0001.jpg",
          EncodeJpeg(Quadrants(320, 240, true), {.comment = "at the lake", .exif = SampleExif()}));
  const auto before = Decode(path);
  for (const int direction : {kTurnClockwise, kTurnCounterClockwise}) {
    for (int turn = 0; turn < 4; ++turn) ASSERT_TRUE(rotate_jpeg_(path.c_str(), direction));
    const auto after = Decode(path);
    ASSERT_EQ(after->width(), before->width());
    ASSERT_EQ(after->height(), before->height());
    EXPECT_EQ(std::memcmp(after->bits(), before->bits(), before->size_bytes()), 0);
  }
  char comment[64] = {};
  ASSERT_TRUE(read_comment_(path.c_str(), comment, sizeof(comment)));
  EXPECT_STREQ(comment, "at the lake");
  const std::vector<std::uint8_t> file = Get(path);
  const std::vector<std::uint8_t> exif = SampleExif();
  EXPECT_NE(std::search(file.begin(), file.end(), exif.begin(), exif.end()), file.end());
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"snap0001.jpg"});
}

TEST_F(RotateJpegTest, EachDirectionTurnsTheRightWay) {
  const Picture picture = Quadrants(64, 48);
  for (const int direction : {kTurnCounterClockwise, kTurnClockwise}) {
    const std::string path = Put("t.jpg", EncodeJpeg(picture));
    ASSERT_TRUE(rotate_jpeg_(path.c_str(), direction));
    std::unique_ptr<Bitmap> bitmap;
    ImageInfo info;
    ASSERT_EQ(load_(path.c_str(), &bitmap, 0, 0, &info), kLoadOk);
    EXPECT_EQ(info.width, 48);
    EXPECT_EQ(info.height, 64);
    // The red top-left quadrant: bottom-left after a counter-clockwise
    // turn, top-right after a clockwise one.
    const Rgb seen =
        direction == kTurnCounterClockwise ? PixelOf(*bitmap, 8, 56) : PixelOf(*bitmap, 40, 8);
    EXPECT_TRUE(Near(seen, picture.At(0, 0), 12));
  }
}

TEST_F(RotateJpegTest, SizeOfPartialBlocksIsTrimmed) {
  const std::string path = Put("odd.jpg", EncodeJpeg(Quadrants(70, 50)));
  ASSERT_TRUE(rotate_jpeg_(path.c_str(), kTurnClockwise));
  ImageInfo info;
  std::unique_ptr<Bitmap> bitmap;
  ASSERT_EQ(load_(path.c_str(), &bitmap, 0, 0, &info), kLoadOk);
  EXPECT_EQ(info.width, 48);  // 50 cut to whole 16-pixel blocks
  EXPECT_EQ(info.height, 70);
}

TEST_F(RotateJpegTest, RefusesWhatIsNotAnIntactJpeg) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(Quadrants(64, 48));
  const std::vector<std::uint8_t> truncated(jpeg.begin(), jpeg.begin() + jpeg.size() / 2);
  const std::vector<std::uint8_t> png = EncodePng(Quadrants(8, 8), PngKind::kRgb);
  for (const auto& bytes : {truncated, png}) {
    const std::string path = Put("bad.jpg", bytes);
    EXPECT_FALSE(rotate_jpeg_(path.c_str(), kTurnClockwise));
    EXPECT_FALSE(write_comment_(path.c_str(), "x", 2, 0));
    EXPECT_EQ(Get(path), bytes);
  }
  EXPECT_FALSE(rotate_jpeg_(PathOf("missing.jpg").c_str(), kTurnClockwise));
  EXPECT_FALSE(rotate_jpeg_(nullptr, kTurnClockwise));
  const std::string good = Put("good.jpg", jpeg);
  EXPECT_FALSE(rotate_jpeg_(good.c_str(), 2));
  EXPECT_EQ(Get(good), jpeg);
}

}  // namespace
}  // namespace imaging::testing
