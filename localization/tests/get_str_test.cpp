// The getStr export as the camera application reaches it: loaded by path,
// looked up by name, on a handheld with the module installed.
#include "localization/get_str.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "localization/install.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/modules.h"
#include "platform/resources.h"
#include "platform/testing/temp_handheld.h"

namespace localization {
namespace {

using platform::UINT;

constexpr int kFrench = 4;
constexpr UINT kSdioConnectError = 50082;

class GetStrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(InstallLocalizationModule(handheld_.handheld(), &error)) << error;
    module_ = platform::LoadLibrary(kModulePath);
    ASSERT_NE(module_, nullptr);
    get_str_ = platform::GetProcAddressAs<GetStrFunction>(module_, kGetStrExport);
    ASSERT_NE(get_str_, nullptr);
  }
  void TearDown() override { platform::FreeLibrary(module_); }

  std::string Resource(UINT id, platform::LANGID language) {
    std::string text;
    platform::LoadString(module_, id, language, &text);
    return text;
  }
  std::vector<platform::MessageBoxRecord> Boxes() {
    return handheld_.handheld().message_boxes().Boxes();
  }

  platform::testing::TempHandheld handheld_;
  platform::HMODULE module_ = nullptr;
  GetStrFunction* get_str_ = nullptr;
};

TEST_F(GetStrTest, FrenchIndexGivesTheFrenchBlockText) {
  std::string text = "previous contents";
  EXPECT_NE(get_str_(kFrench, kSdioConnectError, &text), 0);
  const std::string french = Resource(50882, 0x040C);
  EXPECT_FALSE(french.empty());
  EXPECT_EQ(text, french);
  EXPECT_NE(text, Resource(kSdioConnectError, 0x0409));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GetStrTest, EveryIndexFindsEveryBaseIdInItsOwnBlock) {
  std::string text;
  for (int language = 0; language < kLanguageCount; ++language) {
    for (UINT id = kFirstBaseId; id <= kLastBaseId; ++id) {
      ASSERT_NE(get_str_(language, id, &text), 0) << language << " " << id;
      ASSERT_FALSE(text.empty());
    }
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GetStrTest, MissingTextShowsOneBoxAndLeavesTheStringEmpty) {
  struct Case {
    int language;
    UINT base_id;
  };
  // Past the last id, below the first, a base id of another block, and
  // language indexes outside the table.
  const Case cases[] = {{0, kLastBaseId + 1}, {0, kFirstBaseId - 1},   {0, 50201},
                        {1, 50150},           {kLanguageCount, 50001}, {-1, 50201}};
  for (const Case& c : cases) {
    handheld_.handheld().message_boxes().ClearRecord();
    std::string text = "previous contents";
    EXPECT_EQ(get_str_(c.language, c.base_id, &text), 0) << c.language << " " << c.base_id;
    EXPECT_TRUE(text.empty());
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.text, "dll error");
    EXPECT_EQ(boxes[0].request.caption, "error");
  }
}

TEST_F(GetStrTest, TextsComeFromTheLibraryWhateverTheCallerCarries) {
  // A caller module of its own with the same id must not be consulted.
  platform::ModuleDefinition caller;
  auto resources = std::make_shared<platform::ModuleResources>();
  resources->AddString(0x040C, 50882, "caller's own text");
  caller.resources = resources;
  constexpr char kCaller[] = "\\Windows\\caller.dll";
  ASSERT_NE(handheld_.handheld().modules().Register(kCaller, std::move(caller)), nullptr);
  ASSERT_TRUE(handheld_.handheld().files().InstallFile(kCaller, std::as_bytes(std::span("x"))));
  platform::HMODULE other = platform::LoadLibrary(kCaller);
  ASSERT_NE(other, nullptr);
  std::string text;
  EXPECT_NE(get_str_(kFrench, kSdioConnectError, &text), 0);
  EXPECT_EQ(text, Resource(50882, 0x040C));
  platform::FreeLibrary(other);
}

TEST(LocalizationInstallTest, BadResourceFolderIsReportedAndNothingIsBuiltIn) {
  platform::testing::TempHandheld handheld;
  std::string error;
  EXPECT_FALSE(InstallLocalizationModule(handheld.handheld(), handheld.root() / "missing", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(platform::LoadLibrary(kModulePath), nullptr);
}

TEST(LocalizationInstallTest, DeletedFileMakesTheLibraryMissing) {
  platform::testing::TempHandheld handheld;
  ASSERT_TRUE(InstallLocalizationModule(handheld.handheld()));
  {
    platform::InstallerAccess access;
    ASSERT_TRUE(handheld.handheld().files().DeleteFile(kModulePath));
  }
  EXPECT_EQ(platform::LoadLibrary(kModulePath), nullptr);
}

}  // namespace
}  // namespace localization
