// The string tables themselves: every language complete, translated, and
// usable wherever the English text is used.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "block_languages.h"
#include "localization/get_str.h"
#include "localization/install.h"
#include "localization_testing/text_checks.h"
#include "platform/resources.h"

namespace localization {
namespace {

using platform::LANGID;
using platform::UINT;

using testing::kBlockLanguages;

// Texts that rightly stay as in English: the build date and the picture
// file prefix everywhere, and words the language itself borrows.
const std::set<std::pair<int, UINT>>& SameAsEnglish() {
  static const std::set<std::pair<int, UINT>> allowed = [] {
    std::set<std::pair<int, UINT>> set;
    for (int language = 1; language < kLanguageCount; ++language) {
      set.insert({language, 50067});  // "Tue Sep 16 02:59:12 2003"
      set.insert({language, 50093});  // "snap"
    }
    const std::pair<int, UINT> borrowed[] = {
        {3, 50002}, {3, 50061}, {3, 50072}, {3, 50086},              // German
        {4, 50002}, {4, 50007}, {4, 50028}, {4, 50069}, {4, 50070},  // French
        {4, 50074}, {4, 50086},                                      //
        {5, 50002}, {5, 50005}, {5, 50007}, {5, 50061}, {5, 50062},  // Italian
        {5, 50071}, {5, 50072},                                      //
        {6, 50002}, {6, 50007}, {6, 50069}, {6, 50071}, {6, 50072},  // Portuguese
        {7, 50021}, {7, 50072},                                      // Spanish
    };
    set.insert(std::begin(borrowed), std::end(borrowed));
    return set;
  }();
  return allowed;
}

class StringTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(platform::LoadResourceFolder(DefaultResourceFolder(), &resources_, &error))
        << error;
  }
  std::string Text(int language, UINT base_id) {
    DWORD error = 0;
    const std::string* text = resources_.FindString(base_id + kLanguageIdStride * language,
                                                    {kBlockLanguages[language], true}, &error);
    return text ? *text : std::string();
  }
  using DWORD = platform::DWORD;
  platform::ModuleResources resources_;
};

TEST_F(StringTablesTest, EveryBlockHoldsAllTextsInItsLanguageAndNothingElse) {
  for (int language = 0; language < kLanguageCount; ++language) {
    for (UINT base = kFirstBaseId; base <= kLastBaseId; ++base) {
      const UINT id = base + kLanguageIdStride * language;
      EXPECT_EQ(resources_.StringLanguages(id), std::vector<LANGID>{kBlockLanguages[language]})
          << "id " << id;
      EXPECT_FALSE(Text(language, base).empty()) << "id " << id;
    }
    // Nothing between blocks: an id there would answer a wrong lookup.
    for (UINT gap = kLastBaseId + 1; gap < kFirstBaseId + kLanguageIdStride; ++gap) {
      EXPECT_TRUE(resources_.StringLanguages(gap + kLanguageIdStride * language).empty()) << gap;
    }
  }
}

TEST_F(StringTablesTest, OtherLanguagesAreTranslationsNotCopies) {
  for (int language = 1; language < kLanguageCount; ++language) {
    for (UINT base = kFirstBaseId; base <= kLastBaseId; ++base) {
      const bool same = Text(language, base) == Text(0, base);
      EXPECT_EQ(same, SameAsEnglish().contains({language, base}))
          << "language " << language << " id " << base << ": " << Text(language, base);
    }
  }
}

TEST_F(StringTablesTest, TranslationsKeepArgumentsEdgeSpacesAndLineBreaks) {
  for (int language = 1; language < kLanguageCount; ++language) {
    for (UINT base = kFirstBaseId; base <= kLastBaseId; ++base) {
      const std::string english = Text(0, base);
      const std::string text = Text(language, base);
      SCOPED_TRACE("language " + std::to_string(language) + " id " + std::to_string(base));
      EXPECT_EQ(testing::FormatArguments(text), testing::FormatArguments(english));
      EXPECT_EQ(testing::LeadingSpace(text), testing::LeadingSpace(english));
      EXPECT_EQ(testing::TrailingSpace(text), testing::TrailingSpace(english));
      EXPECT_EQ(testing::LineBreaks(text), testing::LineBreaks(english));
    }
  }
}

TEST_F(StringTablesTest, EveryTextIsWellFormedUtf8WithoutControls) {
  for (int language = 0; language < kLanguageCount; ++language) {
    for (UINT base = kFirstBaseId; base <= kLastBaseId; ++base) {
      const auto decoded = testing::DecodeUtf8(Text(language, base));
      ASSERT_TRUE(decoded) << "language " << language << " id " << base;
      EXPECT_FALSE(testing::HasStrayControls(*decoded))
          << "language " << language << " id " << base;
    }
  }
}

TEST(TextChecksTest, FindArgumentsSpacesAndBadUtf8) {
  EXPECT_EQ(testing::FormatArguments("m%0.4d.avi %s 100%%"),
            (std::vector<std::string>{"%0.4d", "%s", "%%"}));
  EXPECT_EQ(testing::LeadingSpace(" is saved!"), " ");
  EXPECT_EQ(testing::TrailingSpace("The folder "), " ");
  EXPECT_FALSE(testing::DecodeUtf8("\xC0\xAF"));      // overlong '/'
  EXPECT_FALSE(testing::DecodeUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_FALSE(testing::DecodeUtf8("\xE6\x96"));      // cut short
  EXPECT_EQ(testing::DecodeUtf8("\xE6\x96\x87"), std::u32string(1, U'\u6587'));
}

}  // namespace
}  // namespace localization
