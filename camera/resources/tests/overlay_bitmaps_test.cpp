// The overlays painted over the live preview: each at its place in the
// 240x180 picture, black where the picture shows through, and readable on
// bright and dark scenes alike.
#include <gtest/gtest.h>

#include <vector>

#include "bitmap_pixels.h"
#include "camera_resource_folder.h"
#include "platform/screen.h"

namespace camera::testing {
namespace {

using platform::UINT;
using platform::gdi::Surface;

constexpr int kPreviewWidth = platform::screen::kWidth;
constexpr int kPreviewHeight = 180;

struct Overlay {
  UINT id;
  int x;
  int y;
};

// Every overlay at the position the preview draws it at (the zoom marker at
// both of its positions).
const Overlay kOverlays[] = {
    {265, 83, 73},   {336, 17, 26},  {335, 52, 46},  {268, 23, 0},    {269, 23, 0},
    {272, 46, 0},    {271, 46, 0},   {273, 46, 0},   {339, 69, 0},    {340, 69, 0},
    {260, 190, 18},  {259, 190, 18}, {258, 190, 18}, {288, 137, 163}, {289, 190, 167},
    {289, 226, 167}, {292, 0, 40},   {293, 0, 40},   {294, 0, 40},    {295, 0, 40},
    {296, 0, 40},    {297, 0, 40},   {298, 0, 40},   {299, 0, 40},    {300, 0, 40},
    {301, 0, 40},    {302, 0, 40},   {303, 0, 40},   {329, 2, 40},    {330, 2, 40},
    {331, 2, 40},    {332, 2, 40},
};

struct StatedSize {
  UINT id;
  int width;
  int height;
};

const StatedSize kStatedSizes[] = {
    {265, 68, 28}, {336, 206, 128}, {335, 136, 84}, {288, 103, 17}, {289, 5, 9},
};

TEST(OverlayBitmaps, HaveTheSizesThePreviewLaysOut) {
  for (const StatedSize& stated : kStatedSizes) {
    Surface bitmap = LoadCameraBitmap(stated.id);
    EXPECT_EQ(bitmap.width(), stated.width) << stated.id;
    EXPECT_EQ(bitmap.height(), stated.height) << stated.id;
  }
}

TEST(OverlayBitmaps, LieInsideThePreviewAtTheirPositions) {
  for (const Overlay& overlay : kOverlays) {
    Surface bitmap = LoadCameraBitmap(overlay.id);
    ASSERT_FALSE(bitmap.empty()) << overlay.id;
    EXPECT_LE(overlay.x + bitmap.width(), kPreviewWidth) << overlay.id;
    EXPECT_LE(overlay.y + bitmap.height(), kPreviewHeight) << overlay.id;
  }
}

TEST(OverlayBitmaps, TopRowIconsStandSideBySideAboveTheLeftIndicators) {
  // Metering at x 23, white balance at 46, colour mode at 69: each must end
  // before the next begins, and above the self-timer and clip indicator (y 40).
  for (UINT id : {268u, 269u, 272u, 271u, 273u, 339u, 340u}) {
    Surface bitmap = LoadCameraBitmap(id);
    EXPECT_LE(bitmap.width(), 23) << id;
    EXPECT_LE(bitmap.height(), 40) << id;
  }
}

TEST(OverlayBitmaps, CompressionStaysAboveTheSizeLabel) {
  // The size label's rectangle starts at y 34.
  for (UINT id : {258u, 259u, 260u}) EXPECT_LE(18 + LoadCameraBitmap(id).height(), 34) << id;
}

TEST(OverlayBitmaps, AreSeeThroughAtTheCornersWithAVisibleBody) {
  for (const Overlay& overlay : kOverlays) {
    Surface bitmap = LoadCameraBitmap(overlay.id);
    ASSERT_FALSE(bitmap.empty()) << overlay.id;
    const int right = bitmap.width() - 1;
    const int bottom = bitmap.height() - 1;
    EXPECT_TRUE(IsTransparent(bitmap.GetPixel(0, 0))) << overlay.id;
    EXPECT_TRUE(IsTransparent(bitmap.GetPixel(right, 0))) << overlay.id;
    EXPECT_TRUE(IsTransparent(bitmap.GetPixel(0, bottom))) << overlay.id;
    EXPECT_TRUE(IsTransparent(bitmap.GetPixel(right, bottom))) << overlay.id;
    const int area = bitmap.width() * bitmap.height();
    const int visible = VisiblePixels(bitmap);
    EXPECT_GE(visible * 25, area) << overlay.id << ": almost nothing to see";
    EXPECT_LT(visible, area) << overlay.id << ": hides the whole picture under it";
  }
}

TEST(OverlayBitmaps, HaveLightAndDarkPartsToReadOnAnyPicture) {
  for (const Overlay& overlay : kOverlays) {
    Surface bitmap = LoadCameraBitmap(overlay.id);
    bool light = false;
    bool dark = false;
    for (int y = 0; y < bitmap.height(); ++y) {
      for (int x = 0; x < bitmap.width(); ++x) {
        platform::COLORREF color = bitmap.GetPixel(x, y);
        if (IsTransparent(color)) continue;
        light = light || Luma(color) >= 160;
        dark = dark || Luma(color) <= 60;
      }
    }
    EXPECT_TRUE(light) << overlay.id << " vanishes on a bright scene";
    EXPECT_TRUE(dark) << overlay.id << " vanishes on a dark scene";
  }
}

TEST(OverlayBitmaps, NoVisiblePixelTurnsTransparentOnASixteenBitScreen) {
  for (const Overlay& overlay : kOverlays) {
    Surface bitmap = LoadCameraBitmap(overlay.id);
    for (int y = 0; y < bitmap.height(); ++y) {
      for (int x = 0; x < bitmap.width(); ++x) {
        platform::COLORREF color = bitmap.GetPixel(x, y);
        if (IsTransparent(color)) continue;
        EXPECT_NE(Surface::ToRgb565(color), 0) << overlay.id << " at " << x << "," << y;
      }
    }
  }
}

TEST(OverlayBitmaps, FramingAidsLeaveThePictureInsideThemVisible) {
  for (UINT id : {336u, 335u}) {
    Surface bitmap = LoadCameraBitmap(id);
    for (int y = 12; y < bitmap.height() - 12; ++y) {
      for (int x = 24; x < bitmap.width() - 24; ++x) {
        ASSERT_TRUE(IsTransparent(bitmap.GetPixel(x, y))) << id << " at " << x << "," << y;
      }
    }
  }
}

TEST(OverlayBitmaps, ZoomScaleHasItsTicksUnderTheMarkerPositions) {
  Surface scale = LoadCameraBitmap(288);
  Surface marker = LoadCameraBitmap(289);
  ASSERT_FALSE(scale.empty());
  ASSERT_FALSE(marker.empty());
  for (int marker_x : {190, 226}) {
    const int tick = marker_x - 137 + marker.width() / 2;
    const int height = VisibleInColumn(scale, tick);
    EXPECT_GT(height, VisibleInColumn(scale, tick - 2)) << "tick at scale x " << tick;
    EXPECT_GT(height, VisibleInColumn(scale, tick + 2)) << "tick at scale x " << tick;
    EXPECT_GE(height, marker.height() - 2) << "tick at scale x " << tick;
  }
}

TEST(OverlayBitmaps, CountdownDigitsAndRecordingFramesAreDistinctAndAlike) {
  const std::vector<std::vector<UINT>> sets = {
      {292, 293, 294, 295, 296, 297, 298, 299, 300, 301, 302, 303},
      {329, 330, 331, 332},
  };
  for (const std::vector<UINT>& ids : sets) {
    std::vector<Surface> bitmaps;
    for (UINT id : ids) bitmaps.push_back(LoadCameraBitmap(id));
    for (size_t i = 0; i < bitmaps.size(); ++i) {
      EXPECT_EQ(bitmaps[i].width(), bitmaps[0].width()) << ids[i];
      EXPECT_EQ(bitmaps[i].height(), bitmaps[0].height()) << ids[i];
      for (size_t j = i + 1; j < bitmaps.size(); ++j) {
        EXPECT_FALSE(SamePixels(bitmaps[i], bitmaps[j])) << ids[i] << " and " << ids[j];
      }
    }
  }
}

}  // namespace
}  // namespace camera::testing
