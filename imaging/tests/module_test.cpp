// The library as a module of the handheld: found by name with each export
// of its own type, and missing once its file is gone.
#include <gtest/gtest.h>

#include "imaging_fixture.h"

namespace imaging::testing {
namespace {

using ModuleTest = ImagingTest;

TEST_F(ModuleTest, ExportsCarryTheirTypes) {
  // A lookup under another type finds nothing rather than a wrong call.
  EXPECT_EQ(platform::GetProcAddressAs<RotateJPEGFunction>(module_, kScaleBitmapExport), nullptr);
  EXPECT_EQ(platform::GetProcAddress(module_, "LoadImage"), nullptr);
}

TEST_F(ModuleTest, InstalledOncePerHandheld) {
  std::string error;
  EXPECT_FALSE(InstallImagingModule(handheld_.handheld(), &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(ModuleTest, MissingWhenItsFileIsDeleted) {
  platform::FreeLibrary(module_);
  module_ = nullptr;
  {
    platform::InstallerAccess access;
    ASSERT_TRUE(platform::DeleteFile(kModulePath));
  }
  EXPECT_EQ(platform::LoadLibrary(kModuleName), nullptr);
  EXPECT_EQ(platform::GetLastError(), platform::ERROR_MOD_NOT_FOUND);
}

}  // namespace
}  // namespace imaging::testing
