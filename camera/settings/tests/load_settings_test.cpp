// The start-up load: defaults on a fresh handheld, values across restarts,
// the picture folder and the folder in use.
#include <gtest/gtest.h>

#include "camera/settings/settings_store.h"
#include "camera/settings/settings_writers.h"
#include "platform/files.h"
#include "settings_test_support.h"

namespace camera {
namespace {

using testing::StoredInt;
using testing::StoredText;

constexpr char kPictures[] = "\\My Documents\\My Pictures\\";

TEST(LoadSettingsTest, FreshInstallationHasTheDefaultsAndWritesNothing) {
  platform::testing::TempHandheld handheld;
  const SettingsLoadReport report = LoadSettings();
  EXPECT_FALSE(report.NeedsNotice());
  EXPECT_FALSE(report.picture_folder_created);

  const CameraSettings& s = Settings();
  EXPECT_EQ(s.awb, 0);             // White Balance Auto
  EXPECT_EQ(s.color, 0);           // Full Color
  EXPECT_EQ(s.imagequality, 1);    // Better
  EXPECT_EQ(s.resolution, 1);      // 1280x960
  EXPECT_EQ(s.ae_metering, 1);     // Center-weighted
  EXPECT_EQ(s.camera_sound, 1);    // On
  EXPECT_EQ(s.instant_review, 1);  // 2 seconds
  EXPECT_EQ(s.selftime, 0);        // Off
  EXPECT_EQ(s.business_card, 0);   // Off
  EXPECT_EQ(s.filename_prefix, "snap");
  EXPECT_EQ(s.jpgno, 1);
  EXPECT_EQ(s.aviresolution, 1);    // preview 160x120
  EXPECT_EQ(s.recordwithaudio, 1);  // audio On
  EXPECT_EQ(s.avino, 1);
  EXPECT_EQ(s.actionmode, 1);
  EXPECT_EQ(s.brightness, 50);
  EXPECT_EQ(s.defaultfolder, kPictures);
  EXPECT_EQ(s.folder_in_use, kPictures);
  EXPECT_EQ(s.zoomed_still_size, 2);
  EXPECT_FALSE(testing::Registry().KeyExists(platform::HKEY_CURRENT_USER, testing::kSettingKey));
}

TEST(LoadSettingsTest, StoredValuesComeBackAfterARestart) {
  platform::testing::TempHandheld handheld;
  LoadSettings();
  ASSERT_TRUE(StoreSettingsPage({4, 2, 2, 3, 0}, /*zoomed=*/false));
  ASSERT_TRUE(StoreSetupPage({0, 3, 2, 1}));
  ASSERT_TRUE(StoreVideoPage(0, 0));
  ASSERT_TRUE(StoreFilePage("trip", 42, kPictures));
  AdvanceClipCounter();

  handheld.Restart();
  LoadSettings();
  const CameraSettings& s = Settings();
  EXPECT_EQ(OptionsRecord(), (std::array<platform::DWORD, 4>{4, 2, 2, 0}));
  EXPECT_EQ(s.resolution, 3);
  EXPECT_EQ(s.camera_sound, 0);
  EXPECT_EQ(s.instant_review, 3);
  EXPECT_EQ(s.selftime, 2);
  EXPECT_EQ(s.business_card, 1);
  EXPECT_EQ(s.aviresolution, 0);
  EXPECT_EQ(s.recordwithaudio, 0);
  EXPECT_EQ(s.filename_prefix, "trip");
  EXPECT_EQ(s.jpgno, 42);
  EXPECT_EQ(s.avino, 2);
}

TEST(LoadSettingsTest, ChosenFolderIsShownButPicturesGoToMyPicturesAfterARestart) {
  platform::testing::TempHandheld handheld;
  LoadSettings();
  const std::string trip = "\\My Documents\\Trip\\";
  ASSERT_TRUE(StoreFilePage("snap", 1, trip));
  EXPECT_EQ(Settings().folder_in_use, trip);

  handheld.Restart();
  LoadSettings();
  EXPECT_EQ(Settings().defaultfolder, trip);
  EXPECT_EQ(Settings().folder_in_use, kPictures);
  EXPECT_EQ(ReadSetting(setting::kDefaultFolder), trip);  // what the File page shows
  ASSERT_TRUE(StoreFilePage("snap", 1, ReadSetting(setting::kDefaultFolder)));
  EXPECT_EQ(Settings().folder_in_use, trip);
}

TEST(LoadSettingsTest, MissingPictureFolderIsMade) {
  platform::testing::TempHandheld handheld;
  ASSERT_TRUE(platform::RemoveDirectory("\\My Documents\\My Pictures"));
  EXPECT_TRUE(LoadSettings().picture_folder_created);
  EXPECT_NE(platform::GetFileAttributes("\\My Documents\\My Pictures") &
                platform::FILE_ATTRIBUTE_DIRECTORY,
            0u);
  EXPECT_FALSE(LoadSettings().picture_folder_created);
}

TEST(LoadSettingsTest, MissingDocumentsFolderIsMadeWithIt) {
  platform::testing::TempHandheld handheld;
  ASSERT_TRUE(platform::RemoveDirectory("\\My Documents\\My Pictures"));
  ASSERT_TRUE(platform::RemoveDirectory("\\My Documents"));
  EXPECT_TRUE(LoadSettings().picture_folder_created);
  EXPECT_NE(platform::GetFileAttributes("\\My Documents\\My Pictures"),
            platform::INVALID_FILE_ATTRIBUTES);
}

TEST(LoadSettingsTest, EachHandheldHasItsOwnVariables) {
  {
    platform::testing::TempHandheld first;
    LoadSettings();
    ASSERT_TRUE(StoreVideoPage(0, 0));
  }
  platform::testing::TempHandheld second;
  LoadSettings();
  EXPECT_EQ(Settings().aviresolution, 1);
  EXPECT_FALSE(StoredInt("aviresolution").has_value());
  EXPECT_FALSE(StoredText("filename prefix").has_value());
}

}  // namespace
}  // namespace camera
