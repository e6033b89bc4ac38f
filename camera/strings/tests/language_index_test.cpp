#include "camera/strings/language_index.h"

#include <gtest/gtest.h>

#include "platform/testing/temp_handheld.h"

namespace camera {
namespace {

struct LocaleCase {
  platform::DWORD locale_id;
  int index;
};

class LanguageIndexTest : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LanguageIndexTest, FollowsPrimaryLanguageAndChineseSublanguage) {
  EXPECT_EQ(LanguageIndexFromLocale(GetParam().locale_id), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LanguageIndexTest,
    ::testing::Values(LocaleCase{0x0409, 0}, LocaleCase{0x0809, 0},  // English
                      LocaleCase{0x0804, 1},                         // Chinese, PRC
                      LocaleCase{0x0404, 2},                         // Chinese, Taiwan
                      LocaleCase{0x0C04, 0},                         // Chinese, sublanguage 3
                      LocaleCase{0x1004, 0},                         // Chinese, sublanguage 4
                      LocaleCase{0x0407, 3}, LocaleCase{0x0807, 3},  // German
                      LocaleCase{0x040C, 4}, LocaleCase{0x0C0C, 4},  // French
                      LocaleCase{0x0410, 5}, LocaleCase{0x0810, 5},  // Italian
                      LocaleCase{0x0416, 6}, LocaleCase{0x0816, 6},  // Portuguese
                      LocaleCase{0x040A, 7}, LocaleCase{0x0C0A, 7},  // Spanish
                      LocaleCase{0x0412, 8},                         // Korean
                      LocaleCase{0x0411, 0},                         // Japanese
                      LocaleCase{0x0419, 0},                         // Russian
                      LocaleCase{0x00010407, 3},  // a sort order above the language id
                      LocaleCase{0x0000, 0}));

TEST(SystemDefaultLocaleTest, IsTheHandheldsLocale) {
  platform::HandheldConfig config;
  config.locale_id = 0x0412;
  platform::testing::TempHandheld handheld(config);
  EXPECT_EQ(SystemDefaultLocaleId(), 0x0412u);
}

}  // namespace
}  // namespace camera
