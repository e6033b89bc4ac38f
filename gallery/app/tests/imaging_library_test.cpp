// The gallery's link to the imaging library: found by name with every
// export, and refused as a whole when the library is missing.
#include "imaging_library.h"

#include <gtest/gtest.h>

#include "imaging/install.h"
#include "platform/files.h"
#include "platform/testing/temp_handheld.h"

namespace gallery {
namespace {

TEST(ImagingLibraryTest, OpensWithEveryExportAndReadsAPicturesSize) {
  platform::testing::TempHandheld device;
  ASSERT_TRUE(imaging::InstallImagingModule(device.handheld()));
  ImagingLibrary library;
  ASSERT_TRUE(library.Open());
  std::unique_ptr<imaging::Bitmap> bitmap;
  imaging::ImageInfo info;
  // No such file: a failure, not a crash.
  EXPECT_NE(library.load_image("\\My Documents\\none.jpg", &bitmap, 40, 30, &info),
            imaging::kLoadOk);
  EXPECT_FALSE(library.read_comment("\\My Documents\\none.jpg", nullptr, 0));
  library.Close();
  EXPECT_FALSE(library.is_open());
  EXPECT_EQ(library.load_image, nullptr);
}

TEST(ImagingLibraryTest, AMissingLibraryLeavesNothingOpen) {
  platform::testing::TempHandheld device;
  ASSERT_TRUE(imaging::InstallImagingModule(device.handheld()));
  {
    platform::InstallerAccess access;
    device.handheld().files().DeleteFile(imaging::kModulePath);
  }
  ImagingLibrary library;
  EXPECT_FALSE(library.Open());
  EXPECT_FALSE(library.is_open());
  EXPECT_EQ(library.rotate_jpeg, nullptr);
}

}  // namespace
}  // namespace gallery
