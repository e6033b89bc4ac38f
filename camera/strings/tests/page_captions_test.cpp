// The application's own string table: four page captions and the "1" entry
// in each language, agreeing with the string library's words for the same
// pages.
#include "camera/strings/page_captions.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "localization/get_str.h"
#include "localization/install.h"
#include "localization_testing/text_checks.h"
#include "platform/files.h"
#include "platform/programs.h"
#include "platform/testing/temp_handheld.h"

namespace camera {
namespace {

using platform::LANGID;
using platform::UINT;

constexpr LANGID kBlockLanguages[localization::kLanguageCount] = {
    0x0409, 0x0804, 0x0404, 0x0407, 0x040C, 0x0410, 0x0416, 0x0C0A, 0x0412};

struct Page {
  SettingsPage page;
  UINT library_id;  // the same word in the string library
};
constexpr Page kPages[] = {{SettingsPage::kSettings, 50009},
                           {SettingsPage::kSetup, 50041},
                           {SettingsPage::kFile, 50005},
                           {SettingsPage::kVideo, 50061}};

class PageCaptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(AddOwnStrings(&own_, &error)) << error;
    ASSERT_TRUE(
        platform::LoadResourceFolder(localization::DefaultResourceFolder(), &library_, &error))
        << error;
  }
  static std::string Find(const platform::ModuleResources& resources, UINT id, int language) {
    platform::DWORD error = 0;
    const std::string* text = resources.FindString(id, {kBlockLanguages[language], true}, &error);
    return text ? *text : std::string("<missing>");
  }
  platform::ModuleResources own_;
  platform::ModuleResources library_;
};

TEST_F(PageCaptionsTest, EachLanguageHasItsEntriesAndTheLibrarysWords) {
  for (int language = 0; language < localization::kLanguageCount; ++language) {
    SCOPED_TRACE("language " + std::to_string(language));
    EXPECT_EQ(Find(own_, kOwnStringBase + kOwnStringStride * language, language), "1");
    for (const Page& page : kPages) {
      const std::string caption = Find(own_, PageCaptionId(page.page, language), language);
      EXPECT_EQ(caption, Find(library_, page.library_id + 200 * language, language));
      EXPECT_TRUE(localization::testing::DecodeUtf8(caption));
    }
    for (UINT offset = 5; offset < kOwnStringStride; ++offset) {
      EXPECT_TRUE(
          own_.StringLanguages(kOwnStringBase + kOwnStringStride * language + offset).empty());
    }
  }
}

TEST_F(PageCaptionsTest, CaptionsAreTranslated) {
  // German and Italian say "Video", Italian says "File".
  const std::set<std::pair<int, SettingsPage>> borrowed = {
      {3, SettingsPage::kVideo}, {5, SettingsPage::kVideo}, {5, SettingsPage::kFile}};
  for (int language = 1; language < localization::kLanguageCount; ++language) {
    for (const Page& page : kPages) {
      const bool same = Find(own_, PageCaptionId(page.page, language), language) ==
                        Find(own_, PageCaptionId(page.page, 0), 0);
      EXPECT_EQ(same, borrowed.contains({language, page.page}))
          << "language " << language << " page " << static_cast<UINT>(page.page);
    }
  }
}

TEST_F(PageCaptionsTest, ApplicationFindsItsCaptionInItsOwnInstance) {
  platform::testing::TempHandheld handheld;
  platform::ModuleDefinition module;
  module.resources = std::make_shared<platform::ModuleResources>(own_);
  const platform::HINSTANCE instance =
      handheld.handheld().modules().Register("\\Windows\\captions.dll", std::move(module));
  ASSERT_NE(instance, nullptr);
  ASSERT_TRUE(handheld.handheld().files().InstallFile("\\Windows\\captions.dll",
                                                      std::as_bytes(std::span("x"))));
  ASSERT_EQ(platform::LoadLibrary("\\Windows\\captions.dll"), instance);
  EXPECT_EQ(PageCaption(instance, SettingsPage::kSetup, 4), Find(library_, 50041 + 200 * 4, 4));
  EXPECT_EQ(PageCaption(instance, SettingsPage::kVideo, 0), Find(library_, 50061, 0));
  platform::FreeLibrary(instance);
}

}  // namespace
}  // namespace camera
