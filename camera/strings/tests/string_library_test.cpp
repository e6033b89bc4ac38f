// The application side of the string library: language from the locale,
// loading by path, the one string object, and what happens without the
// library.
#include "camera/strings/string_library.h"

#include <gtest/gtest.h>

#include <optional>

#include "localization/install.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/resources.h"
#include "platform/testing/temp_handheld.h"

namespace camera {
namespace {

using platform::LANGID;
using platform::UINT;

constexpr UINT kSdioConnectError = 50082;
constexpr UINT kApplicationTitle = 50004;

class StringLibraryTest : public ::testing::Test {
 protected:
  void Boot(platform::DWORD locale_id, bool install = true) {
    platform::HandheldConfig config;
    config.locale_id = locale_id;
    handheld_.emplace(config);
    if (install) {
      ASSERT_TRUE(localization::InstallLocalizationModule(handheld_->handheld()));
    }
  }
  // The text as the library's tables hold it, read past getStr.
  std::string TableText(UINT id, LANGID language) {
    platform::HMODULE module = platform::LoadLibrary(localization::kModulePath);
    std::string text;
    platform::LoadString(module, id, language, &text);
    platform::FreeLibrary(module);
    return text;
  }
  std::vector<platform::MessageBoxRecord> Boxes() {
    return handheld_->handheld().message_boxes().Boxes();
  }
  void TearDown() override {
    if (handheld_) UnloadStringLibrary();
  }

  std::optional<platform::testing::TempHandheld> handheld_;
};

TEST_F(StringLibraryTest, FrenchLocaleSpeaksFrench) {
  Boot(0x040C);
  ASSERT_TRUE(LoadStringLibrary());
  EXPECT_EQ(LanguageIndex(), 4);
  EXPECT_EQ(LocalizedText(kSdioConnectError), TableText(50882, 0x040C));
  EXPECT_NE(LocalizedText(kSdioConnectError), TableText(kSdioConnectError, 0x0409));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(StringLibraryTest, OtherChineseAndJapaneseLocalesSpeakEnglish) {
  for (platform::DWORD locale : {0x0C04u, 0x1004u, 0x0411u}) {
    Boot(locale);
    ASSERT_TRUE(LoadStringLibrary());
    EXPECT_EQ(LanguageIndex(), 0) << std::hex << locale;
    EXPECT_EQ(LocalizedText(kApplicationTitle), TableText(kApplicationTitle, 0x0409));
    UnloadStringLibrary();
    handheld_.reset();
  }
}

TEST_F(StringLibraryTest, SimplifiedAndTraditionalChineseHaveTheirOwnBlocks) {
  Boot(0x0804);
  ASSERT_TRUE(LoadStringLibrary());
  EXPECT_EQ(LocalizedText(kApplicationTitle), TableText(kApplicationTitle + 200, 0x0804));
  UnloadStringLibrary();
  handheld_.reset();
  Boot(0x0404);
  ASSERT_TRUE(LoadStringLibrary());
  EXPECT_EQ(LocalizedText(kApplicationTitle), TableText(kApplicationTitle + 400, 0x0404));
}

TEST_F(StringLibraryTest, EveryLookupRefillsTheOneStringObject) {
  Boot(0x0407);
  ASSERT_TRUE(LoadStringLibrary());
  const std::string& first = LocalizedText(50005);
  const std::string copy = first;
  const std::string& second = LocalizedText(50006);
  EXPECT_EQ(&first, &second);
  EXPECT_NE(second, copy);
}

TEST_F(StringLibraryTest, MissingTextShowsTheLibrarysBoxOnceAndIsEmpty) {
  Boot(0x0409);
  ASSERT_TRUE(LoadStringLibrary());
  EXPECT_FALSE(LocalizedText(50001).empty());
  EXPECT_TRUE(LocalizedText(50105).empty());
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "dll error");
  EXPECT_EQ(boxes[0].request.caption, "error");
}

TEST_F(StringLibraryTest, MissingLibraryIsReportedInEnglishAndLoadFails) {
  Boot(0x040C);
  {
    platform::InstallerAccess access;
    ASSERT_TRUE(handheld_->handheld().files().DeleteFile(localization::kModulePath));
  }
  EXPECT_FALSE(LoadStringLibrary());
  EXPECT_EQ(StringLibraryLoadStatus(), StringLibraryStatus::kLibraryMissing);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].request.text.find("Localization.dll"), std::string::npos);
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONERROR);
  // Lookups after the failure are harmless.
  EXPECT_TRUE(LocalizedText(kApplicationTitle).empty());
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(StringLibraryTest, LibraryWithoutTheExportIsFreedAgain) {
  Boot(0x0409, /*install=*/false);
  const platform::HMODULE impostor =
      handheld_->handheld().modules().Register(localization::kModulePath, {});
  ASSERT_NE(impostor, nullptr);
  ASSERT_TRUE(handheld_->handheld().files().InstallFile(localization::kModulePath,
                                                        std::as_bytes(std::span("x"))));
  EXPECT_FALSE(LoadStringLibrary());
  EXPECT_EQ(StringLibraryLoadStatus(), StringLibraryStatus::kExportMissing);
  EXPECT_EQ(handheld_->handheld().modules().ReferenceCount(impostor), 0u);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].request.text.find("getStr"), std::string::npos);
}

TEST_F(StringLibraryTest, LoadingAgainKeepsOneReference) {
  Boot(0x0409);
  ASSERT_TRUE(LoadStringLibrary());
  ASSERT_TRUE(LoadStringLibrary());
  platform::HMODULE module = platform::GetModuleHandle(localization::kModulePath);
  EXPECT_EQ(handheld_->handheld().modules().ReferenceCount(module), 1u);
  UnloadStringLibrary();
  EXPECT_EQ(handheld_->handheld().modules().ReferenceCount(module), 0u);
}

TEST_F(StringLibraryTest, HandheldMayEndWithTheLibraryStillLoaded) {
  Boot(0x0412);
  ASSERT_TRUE(LoadStringLibrary());
  EXPECT_FALSE(LocalizedText(kApplicationTitle).empty());
  handheld_.reset();  // no UnloadStringLibrary: the handheld's end cleans up
}

}  // namespace
}  // namespace camera
