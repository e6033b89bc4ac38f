// Stored values no writer produces, and a damaged registry file.
#include <gtest/gtest.h>

#include <fstream>

#include "camera/settings/settings_store.h"
#include "platform/message_box.h"
#include "settings_test_support.h"

namespace camera {
namespace {

using namespace std::string_literals;

using testing::StoredInt;
using testing::StoredText;

bool Replaced(const SettingsLoadReport& report, const std::string& name) {
  return std::find(report.replaced.begin(), report.replaced.end(), name) != report.replaced.end();
}

TEST(BadStoredValuesTest, OutOfRangeValuesBecomeDefaultsAndAreWrittenBack) {
  platform::testing::TempHandheld handheld;
  testing::StoreRaw("resolution", 7);
  testing::StoreRaw("aviresolution", 0xFFFFFFFFu);  // -1
  testing::StoreRaw("instant review", 4);
  testing::StoreRaw("jpgno", 10000);
  testing::StoreRaw("avino", 0);
  testing::StoreRaw("brightness", 0xFFFFFF00u);  // unused: any value is taken
  testing::StoreRaw("imagequality", 2);          // fine

  const SettingsLoadReport report = LoadSettings();
  const CameraSettings& s = Settings();
  EXPECT_EQ(s.resolution, 1);
  EXPECT_EQ(s.aviresolution, 1);
  EXPECT_EQ(s.instant_review, 1);
  EXPECT_EQ(s.jpgno, 1);
  EXPECT_EQ(s.avino, 1);
  EXPECT_EQ(s.brightness, -256);
  EXPECT_EQ(s.imagequality, 2);
  for (const char* name : {"resolution", "aviresolution", "instant review", "jpgno", "avino"}) {
    EXPECT_TRUE(Replaced(report, name)) << name;
  }
  EXPECT_EQ(report.replaced.size(), 5u);
  EXPECT_EQ(StoredInt("resolution"), 1u);
  EXPECT_EQ(StoredInt("aviresolution"), 1u);
  EXPECT_FALSE(report.registry_damaged);
  // The next start finds nothing to mend.
  EXPECT_FALSE(LoadSettings().NeedsNotice());
}

TEST(BadStoredValuesTest, WrongKindsAndUnusableTextsBecomeDefaults) {
  platform::testing::TempHandheld handheld;
  testing::StoreRaw("awb", std::string("2"));
  testing::StoreRaw("filename prefix", 7);
  testing::StoreRaw("defaultfolder", std::string("C:\\pictures"));
  const SettingsLoadReport first = LoadSettings();
  EXPECT_EQ(Settings().awb, 0);
  EXPECT_EQ(Settings().filename_prefix, "snap");
  EXPECT_EQ(Settings().defaultfolder, "\\My Documents\\My Pictures\\");
  EXPECT_EQ(first.replaced.size(), 3u);
  EXPECT_EQ(StoredInt("awb"), 0u);

  for (const char* prefix : {"a\\b", "name:1", "this_is_16_chars", "tab\there"}) {
    testing::StoreRaw("filename prefix", std::string(prefix));
    EXPECT_TRUE(Replaced(LoadSettings(), "filename prefix")) << prefix;
    EXPECT_EQ(Settings().filename_prefix, "snap");
  }
  for (const char* folder : {"", "\\", "\\a\\\\b\\", "\\My Documents", "\\a*b\\"}) {
    testing::StoreRaw("defaultfolder", std::string(folder));
    const bool replaced = Replaced(LoadSettings(), "defaultfolder");
    EXPECT_EQ(replaced, std::string(folder) != "\\") << folder;  // the root is a folder
  }
  // Empty prefixes and fifteen characters of any script are fine.
  for (const char* prefix : {"", "fifteen_chars_x", "\xE7\x9B\xB8\xE7\x89\x87"}) {
    testing::StoreRaw("filename prefix", std::string(prefix));
    EXPECT_FALSE(Replaced(LoadSettings(), "filename prefix")) << prefix;
    EXPECT_EQ(Settings().filename_prefix, prefix);
  }
}

TEST(BadStoredValuesTest, PagesReadTheDefaultInsteadOfAnUnusableValue) {
  platform::testing::TempHandheld handheld;
  testing::StoreRaw("selftime", 9);
  EXPECT_EQ(ReadSetting(setting::kSelfTime), 0);
  testing::StoreRaw("selftime", 2);
  EXPECT_EQ(ReadSetting(setting::kSelfTime), 2);
}

TEST(BadStoredValuesTest, NoticeNamesTheReplacedValuesInOneBox) {
  platform::testing::TempHandheld handheld;
  testing::StoreRaw("resolution", 7);
  const SettingsLoadReport report = LoadSettings();
  EXPECT_TRUE(ShowSettingsNotice(report, nullptr, "Quillon Camera"));
  const auto boxes = handheld.handheld().message_boxes().Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].request.text.find("resolution"), std::string::npos);
  EXPECT_EQ(boxes[0].request.caption, "Quillon Camera");
  EXPECT_FALSE(ShowSettingsNotice(LoadSettings(), nullptr, "Quillon Camera"));
  EXPECT_EQ(handheld.handheld().message_boxes().Boxes().size(), 1u);
}

class DamagedRegistryTest : public ::testing::Test {
 protected:
  // A handheld whose registry file holds `contents` when it boots.
  void BootWith(const std::string& contents) {
    root_ = platform::testing::MakeTemporaryFolder("orsa-settings");
    std::ofstream(root_ / "registry.txt", std::ios::binary) << contents;
    platform::HandheldConfig config;
    config.root = root_;
    handheld_.emplace(config);
  }
  std::filesystem::path root_;
  std::optional<platform::testing::TempHandheld> handheld_;
};

TEST_F(DamagedRegistryTest, ReadableValuesStayLostOnesBecomeDefaultsAndTheFileIsMended) {
  BootWith(
      "[HKEY_CURRENT_USER\\Software\\Kav\\orsacap\\Setting]\n"
      "\"resolution\"=dword:00000002\n"
      "\"awb\"=dwo\x01rd:zz\n"
      "\xFF\xFE\x00garbage\x80\x81\n"
      "\"jpgno\"=dword:0000002a\n"
      "\"filename prefix\"=\"tr\n"s);
  const SettingsLoadReport report = LoadSettings();
  EXPECT_TRUE(report.registry_damaged);
  EXPECT_TRUE(report.NeedsNotice());
  EXPECT_EQ(Settings().resolution, 2);
  EXPECT_EQ(Settings().jpgno, 42);
  EXPECT_EQ(Settings().awb, 0);
  EXPECT_EQ(Settings().filename_prefix, "snap");
  EXPECT_TRUE(std::filesystem::exists(root_ / "registry.txt.damaged"));

  handheld_->Restart();
  EXPECT_EQ(testing::Registry().skipped_lines(), 0u);
  const SettingsLoadReport after = LoadSettings();
  EXPECT_FALSE(after.NeedsNotice());
  EXPECT_EQ(Settings().resolution, 2);
  EXPECT_EQ(Settings().jpgno, 42);
  EXPECT_EQ(StoredInt("awb"), 0u);
}

TEST_F(DamagedRegistryTest, BinaryGarbageGivesDefaultsAndIsReportedOnce) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 131 + 7) % 256));
  BootWith(garbage);
  const SettingsLoadReport report = LoadSettings();
  EXPECT_TRUE(report.registry_damaged);
  EXPECT_EQ(Settings().resolution, 1);
  EXPECT_EQ(Settings().filename_prefix, "snap");
  EXPECT_FALSE(LoadSettings().registry_damaged);  // a second start of the program
}

}  // namespace
}  // namespace camera
