// Damaged, truncated, foreign, oversized and missing files: every call
// fails with a result, none crashes, and no file is left partly rewritten.
#include <gtest/gtest.h>

#include "imaging_fixture.h"

namespace imaging::testing {
namespace {

class BadInputTest : public ImagingTest {
 protected:
  // Every prefix length in `cuts` of `bytes` must fail to load.
  void ExpectEveryCutFails(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    for (std::size_t cut = 0; cut < bytes.size();
         cut += std::max<std::size_t>(1, bytes.size() / 97)) {
      const std::string path =
          Put(name, {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)});
      std::unique_ptr<Bitmap> bitmap;
      ImageInfo info;
      EXPECT_NE(load_(path.c_str(), &bitmap, 40, 30, &info), kLoadOk) << name << " cut at " << cut;
      EXPECT_FALSE(bitmap) << name << " cut at " << cut;
    }
  }
  int LoadBytes(const std::vector<std::uint8_t>& bytes) {
    const std::string path = Put("x.bin", bytes);
    std::unique_ptr<Bitmap> bitmap;
    return load_(path.c_str(), &bitmap, 0, 0, nullptr);
  }
  static void Set16BigEndian(std::vector<std::uint8_t>* bytes, std::size_t at, unsigned value) {
    (*bytes)[at] = static_cast<std::uint8_t>(value >> 8);
    (*bytes)[at + 1] = static_cast<std::uint8_t>(value);
  }
};

TEST_F(BadInputTest, TruncatedFilesOfEveryFormatFail) {
  const Picture picture = Quadrants(48, 32, true);
  ExpectEveryCutFails(EncodeJpeg(picture), "cut.jpg");
  ExpectEveryCutFails(EncodeJpeg(picture, {.progressive = true}), "cutp.jpg");
  ExpectEveryCutFails(EncodePng(picture, PngKind::kRgb), "cut.png");
  ExpectEveryCutFails(EncodeGif(picture), "cut.gif");
  ExpectEveryCutFails(EncodeBmp(picture, {.bits = 24}), "cut.bmp");
  ExpectEveryCutFails(EncodeBmp(picture, {.bits = 2}), "cut.2bp");
}

TEST_F(BadInputTest, DamagedDataFails) {
  std::vector<std::uint8_t> jpeg = EncodeJpeg(Quadrants(64, 48, true));
  // Scribble over the middle of the entropy-coded data.
  for (std::size_t i = jpeg.size() / 2; i < jpeg.size() / 2 + 40; ++i) jpeg[i] = 0xFF;
  EXPECT_NE(LoadBytes(jpeg), kLoadOk);
  std::vector<std::uint8_t> png = EncodePng(Quadrants(64, 48), PngKind::kRgb);
  png[png.size() / 2] ^= 0x55;  // a checksum no longer matches
  EXPECT_EQ(LoadBytes(png), kLoadDamaged);
  std::vector<std::uint8_t> bmp = EncodeBmp(Quadrants(8, 8));
  bmp[28] = 7;  // no such bit count
  EXPECT_EQ(LoadBytes(bmp), kLoadDamaged);
}

TEST_F(BadInputTest, FilesThatAreNotPicturesFail) {
  const std::string text = "This is a voice note list, not a picture.\r\n";
  EXPECT_EQ(LoadBytes({text.begin(), text.end()}), kLoadNotAPicture);
  EXPECT_EQ(LoadBytes({}), kLoadNotAPicture);
  const std::string path = Put("notes.jpg", {text.begin(), text.end()});
  EXPECT_FALSE(read_comment_(path.c_str(), nullptr, 0));
  EXPECT_FALSE(write_comment_(path.c_str(), "x", 2, 0));
  EXPECT_FALSE(rotate_jpeg_(path.c_str(), 0));
  EXPECT_EQ(Get(path), std::vector<std::uint8_t>(text.begin(), text.end()));
}

TEST_F(BadInputTest, PicturesTooLargeForMemoryFail) {
  // Headers that claim 60000 x 60000 pixels.
  std::vector<std::uint8_t> jpeg = EncodeJpeg(Quadrants(16, 16));
  for (std::size_t i = 2; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      Set16BigEndian(&jpeg, i + 5, 60000);
      Set16BigEndian(&jpeg, i + 7, 60000);
      break;
    }
  }
  std::unique_ptr<Bitmap> bitmap;
  const std::string jpeg_path = Put("huge.jpg", jpeg);
  EXPECT_EQ(load_(jpeg_path.c_str(), &bitmap, 0, 0, nullptr), kLoadTooLarge);
  EXPECT_FALSE(rotate_jpeg_(jpeg_path.c_str(), 1));
  EXPECT_EQ(Get(jpeg_path), jpeg);

  std::vector<std::uint8_t> bmp = EncodeBmp(Quadrants(4, 4));
  bmp[18] = 0x60, bmp[19] = 0xEA;  // width 60000
  bmp[22] = 0x60, bmp[23] = 0xEA;  // height 60000
  EXPECT_EQ(LoadBytes(bmp), kLoadTooLarge);

  std::vector<std::uint8_t> png = EncodePng(Quadrants(4, 4), PngKind::kRgb);
  // IHDR's width and height (the checksum no longer matches, which libpng
  // checks first or not: either way a failure).
  png[18] = 0xEA, png[19] = 0x60, png[22] = 0xEA, png[23] = 0x60;
  EXPECT_NE(LoadBytes(png), kLoadOk);

  std::vector<std::uint8_t> gif = EncodeGif(Quadrants(4, 4));
  gif[6] = 0x60, gif[7] = 0xEA, gif[8] = 0x60, gif[9] = 0xEA;  // the logical screen
  EXPECT_EQ(LoadBytes(gif), kLoadTooLarge);
}

TEST_F(BadInputTest, MissingPathsAndBadArgumentsFail) {
  std::unique_ptr<Bitmap> bitmap;
  EXPECT_EQ(load_(PathOf("nothing.jpg").c_str(), &bitmap, 40, 30, nullptr), kLoadCannotOpen);
  EXPECT_EQ(load_("\\No Such Folder\\a.jpg", &bitmap, 40, 30, nullptr), kLoadCannotOpen);
  EXPECT_EQ(load_(kFolder, &bitmap, 40, 30, nullptr), kLoadCannotOpen);
  EXPECT_EQ(load_(nullptr, &bitmap, 40, 30, nullptr), kLoadBadArgument);
  const std::string path = Put("ok.jpg", EncodeJpeg(Quadrants(16, 16)));
  EXPECT_EQ(load_(path.c_str(), nullptr, 40, 30, nullptr), kLoadBadArgument);
  EXPECT_EQ(load_(path.c_str(), &bitmap, -1, 30, nullptr), kLoadBadArgument);
  EXPECT_EQ(load_ex_(path.c_str(), &bitmap, 40, 30, nullptr, platform::TRUE, 5), kLoadBadArgument);
  EXPECT_FALSE(bitmap);
  EXPECT_FALSE(read_comment_(PathOf("nothing.jpg").c_str(), nullptr, 0));
  EXPECT_FALSE(write_comment_(PathOf("nothing.jpg").c_str(), "x", 2, 0));
  EXPECT_FALSE(write_comment_(path.c_str(), nullptr, 5, 0));
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"ok.jpg"});
}

}  // namespace
}  // namespace imaging::testing
