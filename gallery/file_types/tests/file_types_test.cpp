// The file-type registration on a handheld's registry: the classes it
// makes, the classes it keeps and gives back, and that registering twice
// never loses what the extensions had before.
#include "gallery/file_types/file_types.h"

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/testing/temp_handheld.h"

namespace gallery {
namespace {

using platform::HKEY_CLASSES_ROOT;
using platform::HKEY_CURRENT_USER;

constexpr char kProgram[] = "\\Windows\\orsagal.exe";
constexpr char kGallery[] = "SOFTWARE\\QX\\orsagal";

class FileTypesTest : public ::testing::Test {
 protected:
  platform::Registry& registry() { return device_.handheld().registry(); }
  std::optional<std::string> Class(const char* key) {
    return registry().GetString(HKEY_CLASSES_ROOT, key, "");
  }
  platform::testing::TempHandheld device_;
};

TEST_F(FileTypesTest, RegisteringMakesTheClassesAndKeepsThePreviousOnes) {
  registry().SetString(HKEY_CLASSES_ROOT, ".jpg", "", "jpegfile");
  EXPECT_EQ(RegisterFileTypes(kProgram), 5);
  EXPECT_EQ(Class(".jpg"), "orsagal.jpg");
  EXPECT_EQ(Class(".png"), "orsagal.png");
  EXPECT_EQ(Class("orsagal.jpg"), "oRKA Vistrel File");
  EXPECT_EQ(Class("orsagal.jpg\\DefaultIcon"), "\\Windows\\orsagal.exe,-126");
  EXPECT_EQ(Class("orsagal.2bp\\DefaultIcon"), "\\Windows\\orsagal.exe,-125");
  EXPECT_EQ(Class("orsagal.gif\\Shell\\Open\\Command"), "\"\\Windows\\orsagal.exe\" %1");
  EXPECT_EQ(registry().GetString(HKEY_CURRENT_USER, kGallery, ".jpg"), "jpegfile");
  EXPECT_EQ(registry().GetString(HKEY_CURRENT_USER, kGallery, ".bmp"), "");
}

TEST_F(FileTypesTest, RegisteringTwiceLeavesTheKeptClassesUntouched) {
  registry().SetString(HKEY_CLASSES_ROOT, ".jpg", "", "jpegfile");
  RegisterFileTypes(kProgram);
  EXPECT_EQ(RegisterFileTypes(kProgram), 0);
  EXPECT_EQ(registry().GetString(HKEY_CURRENT_USER, kGallery, ".jpg"), "jpegfile");
  RestoreFileTypes();
  EXPECT_EQ(Class(".jpg"), "jpegfile");
}

TEST_F(FileTypesTest, RestoringGivesBackOnlyWhatWasRegistered) {
  registry().SetString(HKEY_CLASSES_ROOT, ".jpg", "", "jpegfile");
  registry().SetString(HKEY_CLASSES_ROOT, ".tif", "", "tifffile");
  RegisterFileTypes(kProgram);
  EXPECT_EQ(RestoreFileTypes(), 5);
  EXPECT_EQ(Class(".jpg"), "jpegfile");
  EXPECT_EQ(Class(".tif"), "tifffile");
  EXPECT_FALSE(registry().KeyExists(HKEY_CLASSES_ROOT, ".png"));
  EXPECT_FALSE(registry().KeyExists(HKEY_CLASSES_ROOT, "orsagal.jpg"));
  EXPECT_FALSE(registry().GetString(HKEY_CURRENT_USER, kGallery, ".jpg"));
  EXPECT_EQ(RestoreFileTypes(), 0);
}

}  // namespace
}  // namespace gallery
