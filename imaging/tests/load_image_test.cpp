// Loading every format through the library's exports: the information of
// the stored picture, a bitmap within the maximum (or whole for 0, 0), the
// right colours in the right places, and the quarter turn of rotate-to-fit.
#include <gtest/gtest.h>

#include "image_loader.h"
#include "imaging_fixture.h"

namespace imaging::testing {
namespace {

class LoadImageTest : public ImagingTest {
 protected:
  // Loads and checks information and size; the bitmap for more checks.
  std::unique_ptr<Bitmap> LoadChecked(const std::string& path, int max_width, int max_height,
                                      int expected_width, int expected_height, ImageFormat format,
                                      int stored_width, int stored_height) {
    std::unique_ptr<Bitmap> bitmap;
    ImageInfo info;
    EXPECT_EQ(load_(path.c_str(), &bitmap, max_width, max_height, &info), kLoadOk) << path;
    if (!bitmap) return nullptr;
    EXPECT_EQ(info.width, stored_width);
    EXPECT_EQ(info.height, stored_height);
    EXPECT_EQ(info.format, format);
    EXPECT_EQ(bitmap->width(), expected_width) << path;
    EXPECT_EQ(bitmap->height(), expected_height) << path;
    return bitmap;
  }

  // The four quadrant colours at the quarter points of the bitmap.
  void ExpectQuadrants(const Bitmap& bitmap, const Picture& picture, int tolerance) {
    const int w = bitmap.width(), h = bitmap.height();
    EXPECT_TRUE(Near(PixelOf(bitmap, w / 4, h / 4), picture.At(0, 0), tolerance));
    EXPECT_TRUE(
        Near(PixelOf(bitmap, w * 3 / 4, h / 4), picture.At(picture.width - 1, 0), tolerance));
    EXPECT_TRUE(
        Near(PixelOf(bitmap, w / 4, h * 3 / 4), picture.At(0, picture.height - 1), tolerance));
    EXPECT_TRUE(Near(PixelOf(bitmap, w * 3 / 4, h * 3 / 4),
                     picture.At(picture.width - 1, picture.height - 1), tolerance));
  }
};

TEST_F(LoadImageTest, JpegOfEverySamplingAndKind) {
  const Picture picture = Quadrants(320, 240);
  struct Case {
    const char* name;
    JpegOptions options;
  };
  const Case cases[] = {
      {"s420.jpg", {.h_sampling = 2, .v_sampling = 2}},
      {"s422.jpg", {.h_sampling = 2, .v_sampling = 1}},
      {"s444.jpg", {.h_sampling = 1, .v_sampling = 1}},
      {"progressive.jpg", {.progressive = true}},
  };
  for (const Case& c : cases) {
    const std::string path = Put(c.name, EncodeJpeg(picture, c.options));
    auto whole = LoadChecked(path, 0, 0, 320, 240, kFormatJpeg, 320, 240);
    ASSERT_TRUE(whole);
    ExpectQuadrants(*whole, picture, 12);
    auto pane = LoadChecked(path, 240, 180, 240, 180, kFormatJpeg, 320, 240);
    ASSERT_TRUE(pane);
    ExpectQuadrants(*pane, picture, 12);
  }
}

TEST_F(LoadImageTest, GreyAndCmykJpegs) {
  const Picture picture = Quadrants(64, 48);
  auto grey = LoadChecked(Put("grey.jpg", EncodeJpeg(picture, {.grey = true})), 0, 0, 64, 48,
                          kFormatJpeg, 64, 48);
  ASSERT_TRUE(grey);
  const Rgb top_left = PixelOf(*grey, 8, 8);
  EXPECT_EQ(top_left.red, top_left.green);
  EXPECT_EQ(top_left.green, top_left.blue);
  auto cmyk = LoadChecked(Put("cmyk.jpg", EncodeJpeg(picture, {.cmyk = true})), 0, 0, 64, 48,
                          kFormatJpeg, 64, 48);
  ASSERT_TRUE(cmyk);
  ExpectQuadrants(*cmyk, picture, 16);
}

TEST_F(LoadImageTest, CameraPictureAsThumbnailUsesTheTransformReduction) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(Quadrants(1280, 960, true));
  int eighths = 0;
  std::unique_ptr<Bitmap> bitmap;
  ImageInfo info;
  LoadRequest request{{40, 30}};
  request.transform_eighths = &eighths;
  ASSERT_EQ(LoadImage(jpeg, request, &bitmap, &info), kLoadOk);
  EXPECT_EQ(eighths, 1);  // 160 x 120 out of the transform, then averaged down
  EXPECT_EQ(bitmap->width(), 40);
  EXPECT_EQ(bitmap->height(), 30);
  EXPECT_EQ(info.width, 1280);
  EXPECT_EQ(info.height, 960);

  // The pane needs 240 x 180: 2/8 gives 320 x 240, the smallest that covers it.
  request.limit = {240, 180};
  ASSERT_EQ(LoadImage(jpeg, request, &bitmap, &info), kLoadOk);
  EXPECT_EQ(eighths, 2);
  EXPECT_EQ(bitmap->width(), 240);
  EXPECT_EQ(bitmap->height(), 180);
}

TEST_F(LoadImageTest, ThumbnailKeepsProportionsAndNeverEnlarges) {
  const std::string wide = Put("wide.jpg", EncodeJpeg(Quadrants(400, 100)));
  LoadChecked(wide, 40, 30, 40, 10, kFormatJpeg, 400, 100);
  const std::string small = Put("small.jpg", EncodeJpeg(Quadrants(20, 10)));
  LoadChecked(small, 240, 180, 20, 10, kFormatJpeg, 20, 10);
  // A limit on one side only.
  LoadChecked(wide, 200, 0, 200, 50, kFormatJpeg, 400, 100);
}

TEST_F(LoadImageTest, PngOfEveryKind) {
  const Picture picture = Quadrants(60, 40);
  for (const PngKind kind : {PngKind::kRgb, PngKind::kPalette}) {
    const std::string path = Put("p.png", EncodePng(picture, kind));
    auto bitmap = LoadChecked(path, 0, 0, 60, 40, kFormatPng, 60, 40);
    ASSERT_TRUE(bitmap);
    ExpectQuadrants(*bitmap, picture, kind == PngKind::kRgb ? 0 : 2);
    LoadChecked(path, 30, 30, 30, 20, kFormatPng, 60, 40);
  }
  auto grey = LoadChecked(Put("g.png", EncodePng(picture, PngKind::kGrey)), 0, 0, 60, 40,
                          kFormatPng, 60, 40);
  ASSERT_TRUE(grey);
  EXPECT_TRUE(Near(PixelOf(*grey, 45, 10), {200, 200, 200}, 0));  // the green quadrant's level
  auto deep = LoadChecked(Put("d.png", EncodePng(picture, PngKind::kRgb16)), 0, 0, 60, 40,
                          kFormatPng, 60, 40);
  ASSERT_TRUE(deep);
  const Rgb red = PixelOf(*deep, 5, 5);
  EXPECT_GT(red.red, red.green + 100);
  // Transparent pixels show white.
  auto clear = LoadChecked(Put("a.png", EncodePng(picture, PngKind::kRgbaHalfTransparent)), 0, 0,
                           60, 40, kFormatPng, 60, 40);
  ASSERT_TRUE(clear);
  EXPECT_TRUE(Near(PixelOf(*clear, 5, 5), picture.At(5, 5), 0));
  EXPECT_TRUE(Near(PixelOf(*clear, 50, 5), {255, 255, 255}, 0));
}

TEST_F(LoadImageTest, GifFirstFrameInterlacedAndTransparent) {
  const Picture picture = Quadrants(50, 30);
  for (const bool interlaced : {false, true}) {
    const std::string path =
        Put("f.gif", EncodeGif(picture, {.interlaced = interlaced, .second_frame = true}));
    auto bitmap = LoadChecked(path, 0, 0, 50, 30, kFormatGif, 50, 30);
    ASSERT_TRUE(bitmap);
    ExpectQuadrants(*bitmap, picture, 0);  // the black second frame is never drawn
  }
  // A frame placed inside a larger screen, its transparent colour (red,
  // index 1) showing the white background.
  const std::string path = Put(
      "t.gif",
      EncodeGif(
          picture,
          {.transparent_index = 1, .left = 10, .top = 5, .screen_width = 80, .screen_height = 50}));
  auto bitmap = LoadChecked(path, 0, 0, 80, 50, kFormatGif, 80, 50);
  ASSERT_TRUE(bitmap);
  EXPECT_TRUE(Near(PixelOf(*bitmap, 2, 2), {250, 250, 250}, 0));   // outside the frame
  EXPECT_TRUE(Near(PixelOf(*bitmap, 12, 7), {250, 250, 250}, 0));  // transparent red
  EXPECT_TRUE(Near(PixelOf(*bitmap, 10 + 40, 5 + 5), picture.At(40, 5), 0));
}

TEST_F(LoadImageTest, BmpOfEveryDepthAndRowOrder) {
  const Picture picture = Quadrants(21, 13);  // odd sizes exercise row padding
  struct Case {
    BmpOptions options;
    int tolerance;
  };
  const Case cases[] = {
      {{.bits = 1}, -1},
      {{.bits = 4}, 0},
      {{.bits = 8}, 0},
      {{.bits = 8, .top_down = true}, 0},
      {{.bits = 16}, 8},
      {{.bits = 16, .bit_fields_565 = true}, 8},
      {{.bits = 24}, 0},
      {{.bits = 24, .top_down = true}, 0},
      {{.bits = 24, .core_header = true}, 0},
      {{.bits = 8, .core_header = true}, 0},
      {{.bits = 32}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.bits);
    const std::string path = Put("b.bmp", EncodeBmp(picture, c.options));
    auto bitmap = LoadChecked(path, 0, 0, 21, 13, kFormatBmp, 21, 13);
    ASSERT_TRUE(bitmap);
    for (const auto& [x, y] : {std::pair{0, 0}, {20, 0}, {0, 12}, {20, 12}, {10, 6}}) {
      const Rgb expected =
          c.options.bits <= 8 ? PaletteColour(picture.At(x, y), c.options.bits) : picture.At(x, y);
      EXPECT_TRUE(Near(PixelOf(*bitmap, x, y), expected, std::max(c.tolerance, 0)))
          << x << "," << y;
    }
  }
}

TEST_F(LoadImageTest, TwoBitGreyPicture) {
  const Picture picture = Quadrants(9, 6);
  const std::string path = Put("note.2bp", EncodeBmp(picture, {.bits = 2}));
  auto bitmap = LoadChecked(path, 0, 0, 9, 6, kFormat2bp, 9, 6);
  ASSERT_TRUE(bitmap);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 9; ++x) {
      EXPECT_EQ(PixelOf(*bitmap, x, y), PaletteColour(picture.At(x, y), 2)) << x << "," << y;
    }
  }
}

TEST_F(LoadImageTest, RotateToFitTurnsPortraitForLandscapeTarget) {
  const Picture portrait = Quadrants(480, 640);
  const std::string path = Put("portrait.jpg", EncodeJpeg(portrait));
  for (const int direction : {kTurnCounterClockwise, kTurnClockwise}) {
    std::unique_ptr<Bitmap> bitmap;
    ImageInfo info;
    ASSERT_EQ(load_ex_(path.c_str(), &bitmap, 320, 240, &info, platform::TRUE, direction), kLoadOk);
    EXPECT_EQ(info.width, 480);  // as stored
    EXPECT_EQ(info.height, 640);
    ASSERT_EQ(bitmap->width(), 320);
    ASSERT_EQ(bitmap->height(), 240);
    // The red top-left quadrant goes to the bottom-left turning
    // counter-clockwise, to the top-right turning clockwise.
    const Rgb red = portrait.At(0, 0);
    if (direction == kTurnCounterClockwise) {
      EXPECT_TRUE(Near(PixelOf(*bitmap, 40, 200), red, 12));
    } else {
      EXPECT_TRUE(Near(PixelOf(*bitmap, 280, 40), red, 12));
    }
  }
  // Unturned when the turn would not cover more, or when not asked.
  std::unique_ptr<Bitmap> bitmap;
  ASSERT_EQ(load_ex_(path.c_str(), &bitmap, 240, 320, nullptr, platform::TRUE, 1), kLoadOk);
  EXPECT_EQ(bitmap->width(), 240);
  EXPECT_EQ(bitmap->height(), 320);
  ASSERT_EQ(load_ex_(path.c_str(), &bitmap, 320, 240, nullptr, platform::FALSE, 0), kLoadOk);
  EXPECT_EQ(bitmap->width(), 180);
  EXPECT_EQ(bitmap->height(), 240);
  const std::string small = Put("small.jpg", EncodeJpeg(Quadrants(60, 80)));
  ASSERT_EQ(load_ex_(small.c_str(), &bitmap, 320, 240, nullptr, platform::TRUE, 1), kLoadOk);
  EXPECT_EQ(bitmap->width(), 60);  // fits either way: covers the same
  // A picture in another format turns too.
  const std::string bmp = Put("portrait.bmp", EncodeBmp(Quadrants(30, 40)));
  ASSERT_EQ(load_ex_(bmp.c_str(), &bitmap, 40, 30, nullptr, platform::TRUE, 1), kLoadOk);
  EXPECT_EQ(bitmap->width(), 40);
  EXPECT_EQ(bitmap->height(), 30);
}

}  // namespace
}  // namespace imaging::testing
