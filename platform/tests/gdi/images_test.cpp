// Image lists, icons and bitmaps from module resources.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <span>

#include "gdi_test_canvas.h"
#include "platform/files.h"
#include "platform/gdi_png.h"
#include "platform/handheld.h"
#include "platform/image_list.h"
#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

using gdi_testing::Canvas;
using gdi_testing::kBlue;
using gdi_testing::kGreen;
using gdi_testing::kMagenta;
using gdi_testing::kRed;
using gdi_testing::kWhite;

// A strip of three 4x4 images: red, blue and green squares of 2x2 in the
// top-left corner of each, on magenta.
gdi::Surface Strip() {
  gdi::Surface strip(12, 4, 24);
  strip.Fill(strip.Bounds(), kMagenta);
  strip.Fill({0, 0, 2, 2}, kRed);
  strip.Fill({4, 0, 6, 2}, kBlue);
  strip.Fill({8, 0, 10, 2}, kGreen);
  return strip;
}

std::vector<BYTE> PngBytes(const gdi::Surface& surface) {
  std::filesystem::path folder = testing::MakeTemporaryFolder("orsa-png");
  EXPECT_TRUE(gdi::WritePng(surface, folder / "picture.png"));
  std::ifstream file(folder / "picture.png", std::ios::binary);
  std::vector<BYTE> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::filesystem::remove_all(folder);
  return bytes;
}

HBITMAP BitmapOf(const gdi::Surface& surface) {
  HBITMAP bitmap = CreateBitmap(surface.width(), surface.height(), 1, 24, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) SetPixel(dc, x, y, surface.GetPixel(x, y));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

TEST(ImageListTest, MaskColourMakesTransparentImagesCutFromAStrip) {
  HIMAGELIST list = ImageList_Create(4, 4, ILC_MASK | ILC_COLOR16, 3, 1);
  ASSERT_NE(list, nullptr);
  HBITMAP strip = BitmapOf(Strip());
  EXPECT_EQ(ImageList_AddMasked(list, strip, kMagenta), 0);
  EXPECT_EQ(ImageList_AddMasked(list, strip, kMagenta), 3);
  EXPECT_EQ(ImageList_GetImageCount(list), 6);
  int cx = 0, cy = 0;
  EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, 4);
  EXPECT_EQ(cy, 4);

  Canvas canvas(10, 10, 16, kWhite);
  ASSERT_TRUE(ImageList_Draw(list, 1, canvas.dc(), 3, 3, ILD_TRANSPARENT));
  EXPECT_EQ(canvas.CountOther(RECT{3, 3, 5, 5}, kBlue), 0);
  EXPECT_EQ(canvas.CountOther(kWhite), 4);  // magenta left the background

  // Selected images are blended with the highlight colour.
  ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_SELECTED);
  EXPECT_NE(canvas.At(0, 0), kRed);
  EXPECT_EQ(canvas.At(2, 2), kWhite);  // still transparent

  EXPECT_FALSE(ImageList_Draw(list, 6, canvas.dc(), 0, 0, ILD_NORMAL));
  EXPECT_TRUE(ImageList_Remove(list, 0));
  EXPECT_EQ(ImageList_GetImageCount(list), 5);
  EXPECT_TRUE(ImageList_Remove(list, -1));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Destroy(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  DeleteObject(strip);
}

TEST(ImageListTest, WithoutAMaskImagesAreOpaque) {
  HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR24, 1, 1);
  HBITMAP strip = BitmapOf(Strip());
  ImageList_AddMasked(list, strip, kMagenta);
  Canvas canvas(4, 4, 24, kWhite);
  ImageList_Draw(list, 2, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.At(0, 0), kGreen);
  EXPECT_EQ(canvas.At(3, 3), kMagenta);
  ImageList_Destroy(list);
  DeleteObject(strip);
}

TEST(IconTest, MaskBitmapMakesTheIconTransparent) {
  HBITMAP color = BitmapOf(Strip());
  gdi::Surface mask_pixels(12, 4, 24);
  mask_pixels.Fill({2, 0, 12, 4}, kWhite);  // only the left 2 columns opaque
  HBITMAP mask = BitmapOf(mask_pixels);
  ICONINFO info;
  info.hbmColor = color;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  ASSERT_NE(icon, nullptr);
  SIZE size;
  EXPECT_TRUE(GetIconSize(icon, &size));
  EXPECT_EQ(size, (SIZE{12, 4}));
  Canvas canvas(12, 4, 24, kWhite);
  EXPECT_TRUE(DrawIcon(canvas.dc(), 0, 0, icon));
  EXPECT_EQ(canvas.At(0, 0), kRed);
  EXPECT_EQ(canvas.At(1, 3), kMagenta);
  EXPECT_EQ(canvas.CountOther(RECT{2, 0, 12, 4}, kWhite), 0);

  // An image list takes the icon scaled to its size.
  HIMAGELIST list = ImageList_Create(6, 2, ILC_MASK, 1, 1);
  EXPECT_EQ(ImageList_AddIcon(list, icon), 0);
  Canvas small(6, 2, 24, kWhite);
  ImageList_Draw(list, 0, small.dc(), 0, 0, ILD_NORMAL);
  EXPECT_EQ(small.At(0, 0), kRed);
  EXPECT_EQ(small.At(5, 1), kWhite);
  ImageList_Destroy(list);

  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIcon(canvas.dc(), 0, 0, icon));
  DeleteObject(color);
  DeleteObject(mask);
}

class ResourcePicturesTest : public ::testing::Test {
 protected:
  ResourcePicturesTest() {
    auto resources = std::make_shared<ModuleResources>();
    resources->AddBinary(ResourceType::kBitmap, 265, BinaryResource{PngBytes(Strip()), {}});
    resources->AddBinary(ResourceType::kBitmap, "BROKEN", BinaryResource{{0x89, 'P'}, {}});
    resources->AddBinary(ResourceType::kIcon, 101, BinaryResource{PngBytes(Strip()), {}});
    module_ = device_.handheld().modules().Register(kModule, {{}, resources, {}});
    const std::string contents = "module";
    device_.handheld().files().InstallFile(kModule, std::as_bytes(std::span(contents)));
    EXPECT_EQ(LoadLibrary(kModule), module_);
  }

  static constexpr std::string_view kModule = "\\Windows\\pictures.dll";
  testing::TempHandheld device_;
  HMODULE module_ = nullptr;
};

TEST_F(ResourcePicturesTest, LoadBitmapDecodesThePngOfTheResource) {
  HBITMAP bitmap = LoadBitmap(module_, 265);
  ASSERT_NE(bitmap, nullptr);
  BITMAP description;
  GetObject(bitmap, sizeof(description), &description);
  EXPECT_EQ(description.bmWidth, 12);
  EXPECT_EQ(description.bmHeight, 4);
  // Drawn as an overlay with magenta as the key.
  Canvas canvas(12, 4, 16, kWhite);
  TransparentImage(canvas.dc(), 0, 0, 12, 4, bitmap, 0, 0, 12, 4, kMagenta);
  EXPECT_EQ(canvas.At(4, 0), kBlue);
  EXPECT_EQ(canvas.At(11, 3), kWhite);
  DeleteObject(bitmap);

  EXPECT_EQ(LoadBitmap(module_, 266), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(LoadBitmap(module_, "broken"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
}

TEST_F(ResourcePicturesTest, ImageListAndIconFromResources) {
  HIMAGELIST list = ImageList_LoadBitmap(module_, 265, 4, 1, kMagenta);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  Canvas canvas(4, 4, 24, kWhite);
  ImageList_Draw(list, 2, canvas.dc(), 0, 0, ILD_NORMAL);
  EXPECT_EQ(canvas.At(1, 1), kGreen);
  EXPECT_EQ(canvas.At(2, 2), kWhite);
  ImageList_Destroy(list);

  HICON icon = LoadIcon(module_, 101);
  ASSERT_NE(icon, nullptr);
  Canvas icon_canvas(12, 4, 24, kWhite);
  DrawIcon(icon_canvas.dc(), 0, 0, icon);
  EXPECT_EQ(icon_canvas.At(8, 0), kGreen);
  DestroyIcon(icon);
  EXPECT_EQ(LoadIcon(module_, 102), nullptr);
}

}  // namespace
}  // namespace platform
