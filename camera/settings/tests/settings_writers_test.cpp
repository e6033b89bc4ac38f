// The writers: what each stores, the counters, the Video mode switch and
// the zoomed Settings page.
#include "camera/settings/settings_writers.h"

#include <gtest/gtest.h>

#include "camera/settings/settings_store.h"
#include "platform/files.h"
#include "settings_test_support.h"

namespace camera {
namespace {

using testing::StoredInt;
using testing::StoredText;

class SettingsWritersTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadSettings(); }
  platform::testing::TempHandheld handheld_;
};

TEST_F(SettingsWritersTest, PictureCounterWrapsFrom9999To1AndIsStoredAtOnce) {
  ASSERT_TRUE(StoreFilePage("snap", 9998, "\\My Documents\\My Pictures\\"));
  AdvancePictureCounter();
  EXPECT_EQ(Settings().jpgno, 9999);
  AdvancePictureCounter();
  EXPECT_EQ(Settings().jpgno, 1);
  EXPECT_EQ(StoredInt("jpgno"), 1u);
  handheld_.Restart();
  LoadSettings();
  EXPECT_EQ(Settings().jpgno, 1);
}

TEST_F(SettingsWritersTest, DeletedReviewPictureGivesItsNumberBackAlsoAfterTheWrap) {
  ASSERT_TRUE(StoreFilePage("snap", 9999, "\\My Documents\\My Pictures\\"));
  AdvancePictureCounter();
  ASSERT_EQ(Settings().jpgno, 1);
  RewindPictureCounter(9999);
  EXPECT_EQ(Settings().jpgno, 9999);
  EXPECT_EQ(StoredInt("jpgno"), 9999u);
  RewindPictureCounter(0);
  EXPECT_EQ(StoredInt("jpgno"), 0u);
}

TEST_F(SettingsWritersTest, ClipCounterWrapsFrom9999To1) {
  testing::StoreRaw("avino", 9999);
  LoadSettings();
  AdvanceClipCounter();
  EXPECT_EQ(Settings().avino, 1);
  EXPECT_EQ(StoredInt("avino"), 1u);
}

TEST_F(SettingsWritersTest, VideoModeStoresSelfTimerAndFramingAidOff) {
  ASSERT_TRUE(StoreSetupPage({1, 1, 2, 1}));
  TurnOffStillOnlySettings();
  EXPECT_EQ(Settings().selftime, 0);
  EXPECT_EQ(Settings().business_card, 0);
  handheld_.Restart();
  LoadSettings();
  EXPECT_EQ(Settings().selftime, 0);
  EXPECT_EQ(Settings().business_card, 0);
  EXPECT_EQ(StoredInt("selftime"), 0u);
  EXPECT_EQ(StoredInt("business card"), 0u);
}

TEST_F(SettingsWritersTest, ZoomedSettingsPageLeavesTheStoredResolution) {
  ASSERT_TRUE(StoreSettingsPage({1, 1, 2, 0, 1}, /*zoomed=*/false));
  ASSERT_TRUE(StoreSettingsPage({2, 0, 0, 3, 0}, /*zoomed=*/true));
  EXPECT_EQ(Settings().zoomed_still_size, 3);
  EXPECT_EQ(Settings().resolution, 0);
  EXPECT_EQ(StoredInt("resolution"), 0u);
  EXPECT_EQ(StoredInt("awb"), 2u);
  // Only 640x480 and 320x240 exist while zoomed.
  EXPECT_FALSE(StoreSettingsPage({0, 0, 0, 1, 0}, /*zoomed=*/true));
  EXPECT_EQ(Settings().zoomed_still_size, 3);
  EXPECT_EQ(Settings().awb, 2);
}

TEST_F(SettingsWritersTest, OptionsRecordIsAwbColorQualityMetering) {
  ASSERT_TRUE(StoreSettingsPage({3, 2, 0, 1, 0}, /*zoomed=*/false));
  EXPECT_EQ(OptionsRecord(), (std::array<platform::DWORD, 4>{3, 2, 0, 0}));
}

TEST_F(SettingsWritersTest, ValuesNoPageProducesAreRefusedWhole) {
  EXPECT_FALSE(StoreSettingsPage({0, 0, 0, 7, 0}, /*zoomed=*/false));
  EXPECT_FALSE(StoreSetupPage({1, 4, 0, 0}));
  EXPECT_FALSE(StoreVideoPage(-1, 1));
  EXPECT_FALSE(StoreFilePage("a/b", 5, "\\My Documents\\"));
  EXPECT_FALSE(StoreFilePage("sixteen_chars_xx", 5, "\\My Documents\\"));
  EXPECT_FALSE(StoreFilePage("ok", 10000, "\\My Documents\\"));
  EXPECT_FALSE(StoreFilePage("ok", 5, "My Documents\\"));
  EXPECT_FALSE(StoreSetting(setting::kAviNo, 0));
  const CameraSettings& s = Settings();
  EXPECT_EQ(s.resolution, 1);
  EXPECT_EQ(s.instant_review, 1);
  EXPECT_EQ(s.aviresolution, 1);
  EXPECT_EQ(s.filename_prefix, "snap");
  EXPECT_EQ(s.jpgno, 1);
  EXPECT_EQ(s.avino, 1);
  EXPECT_FALSE(testing::Registry().KeyExists(platform::HKEY_CURRENT_USER, testing::kSettingKey));
}

TEST_F(SettingsWritersTest, SettingsLiveUnderTheProfileKeyAsDwordsAndStrings) {
  ASSERT_TRUE(StoreFilePage("ab", 7, "\\My Documents\\My Pictures\\"));
  EXPECT_EQ(StoredText("filename prefix"), "ab");
  EXPECT_EQ(StoredInt("jpgno"), 7u);
  EXPECT_EQ(StoredText("defaultfolder"), "\\My Documents\\My Pictures\\");
  EXPECT_EQ(SettingsProfile().SectionPath(kSettingsSection), testing::kSettingKey);
}

}  // namespace
}  // namespace camera

namespace camera {
namespace {

using testing::StoredText;

class FolderInUseTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadSettings(); }
  platform::testing::TempHandheld handheld_;
};

TEST_F(FolderInUseTest, AFolderRemovedBehindTheCameraGivesWayToTheNearestThatExists) {
  ASSERT_TRUE(platform::CreateDirectory("\\My Documents\\My Pictures\\Trip"));
  ASSERT_TRUE(platform::CreateDirectory("\\My Documents\\My Pictures\\Trip\\Day 1"));
  ASSERT_TRUE(StoreFolderInUse("\\My Documents\\My Pictures\\Trip\\Day 1\\"));
  EXPECT_FALSE(FallBackFromMissingFolderInUse()) << "the folder is there";
  EXPECT_EQ(Settings().folder_in_use, "\\My Documents\\My Pictures\\Trip\\Day 1\\");

  // Both levels go at once: the picture folder above them takes over.
  ASSERT_TRUE(platform::RemoveDirectory("\\My Documents\\My Pictures\\Trip\\Day 1"));
  ASSERT_TRUE(platform::RemoveDirectory("\\My Documents\\My Pictures\\Trip"));
  EXPECT_TRUE(FallBackFromMissingFolderInUse());
  EXPECT_EQ(Settings().folder_in_use, "\\My Documents\\My Pictures\\");
  EXPECT_EQ(StoredText("defaultfolder"), "\\My Documents\\My Pictures\\");

  // Only the root is left in the end.
  ASSERT_TRUE(platform::RemoveDirectory("\\My Documents\\My Pictures"));
  ASSERT_TRUE(platform::RemoveDirectory("\\My Documents"));
  EXPECT_TRUE(FallBackFromMissingFolderInUse());
  EXPECT_EQ(Settings().folder_in_use, "\\");
}

}  // namespace
}  // namespace camera
