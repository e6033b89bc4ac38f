// Text in the ANSI code pages of the nine languages, to and from UTF-16.
#include "platform/code_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

std::u16string Wide(UINT code_page, const std::string& text) {
  const int size = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(),
                                       static_cast<int>(text.size()), nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(size), u'\0');
  EXPECT_EQ(MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(),
                                static_cast<int>(text.size()), wide.data(), size),
            size);
  return wide;
}

std::string Narrow(UINT code_page, const std::u16string& wide, BOOL* used_default = nullptr) {
  const int size = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, used_default);
  std::string text(static_cast<std::size_t>(size), '\0');
  EXPECT_EQ(WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()),
                                text.data(), size, nullptr, used_default),
            size);
  return text;
}

// The quoted texts of one of the camera's string files.
std::vector<std::string> SampleTexts(const std::string& file) {
  std::ifstream in(std::filesystem::path(ORSA_STRINGS_FOLDER) / file);
  EXPECT_TRUE(in) << file;
  std::vector<std::string> texts;
  // Lines read: 50004 "text". Parsed by hand: GCC 12 warns falsely inside
  // <regex> in sanitizer builds.
  for (std::string line; std::getline(in, line);) {
    const std::size_t space = line.find(' ');
    if (space == 0 || space == std::string::npos || line.size() < space + 3) continue;
    if (line.find_first_not_of("0123456789") != space) continue;
    if (line[space + 1] != '"' || line.back() != '"') continue;
    texts.push_back(line.substr(space + 2, line.size() - space - 3));
  }
  return texts;
}

struct Language {
  const char* file;
  LCID locale;
  UINT code_page;
};

class CodePageRoundTrip : public ::testing::TestWithParam<Language> {};

TEST_P(CodePageRoundTrip, TheLanguagesTextsSurviveTheirCodePage) {
  HandheldConfig config;
  config.locale_id = GetParam().locale;
  testing::TempHandheld device(config);
  EXPECT_EQ(GetACP(), GetParam().code_page);
  const std::vector<std::string> texts = SampleTexts(GetParam().file);
  ASSERT_GT(texts.size(), 20u);
  for (const std::string& utf8 : texts) {
    const std::u16string wide = Wide(CP_UTF8, utf8);
    BOOL lossy = FALSE;
    const std::string ansi = Narrow(CP_ACP, wide, &lossy);
    EXPECT_FALSE(lossy) << utf8;
    EXPECT_EQ(Wide(CP_ACP, ansi), wide) << utf8;
    EXPECT_EQ(Narrow(CP_UTF8, wide), utf8);
  }
}

INSTANTIATE_TEST_SUITE_P(NineLanguages, CodePageRoundTrip,
                         ::testing::Values(Language{"english.txt", 0x0409, 1252},
                                           Language{"chinese_simplified.txt", 0x0804, 936},
                                           Language{"chinese_traditional.txt", 0x0404, 950},
                                           Language{"german.txt", 0x0407, 1252},
                                           Language{"french.txt", 0x040C, 1252},
                                           Language{"italian.txt", 0x0410, 1252},
                                           Language{"portuguese_brazil.txt", 0x0416, 1252},
                                           Language{"spanish.txt", 0x0C0A, 1252},
                                           Language{"korean.txt", 0x0412, 949}));

class CodePagesTest : public ::testing::Test {
 protected:
  testing::TempHandheld device_;
};

TEST_F(CodePagesTest, KnownCharactersHaveTheirCodePageBytes) {
  EXPECT_EQ(Narrow(1252, u"\u00E9\u20AC"), "\xE9\x80");
  EXPECT_EQ(Narrow(936, u"\u4E2D\u6587"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Narrow(950, u"\u78BA\u5B9A"), "\xBD\x54\xA9\x77");
  EXPECT_EQ(Narrow(949, u"\uD655\uC778"), "\xC8\xAE\xC0\xCE");
}

TEST_F(CodePagesTest, ATerminatedTextCountsItsZero) {
  WCHAR wide[8];
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "ab\xE9", -1, wide, 8), 4);
  EXPECT_EQ(std::u16string(wide, 4), std::u16string(u"ab\u00E9\0", 4));
  char text[8];
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"ab", -1, text, 8, nullptr, nullptr), 3);
  EXPECT_STREQ(text, "ab");
}

TEST_F(CodePagesTest, MissingCharactersBecomeTheDefaultCharacter) {
  BOOL used = FALSE;
  // Hangul has no place in the Western code page.
  char text[8] = {};
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"a\uD655b", 3, text, 8, "*", &used), 3);
  EXPECT_EQ(std::string(text, 3), "a*b");
  EXPECT_TRUE(used);
  // A character outside the basic plane counts once.
  EXPECT_EQ(Narrow(1252, u"x\U0001F600y"), "x?y");
}

TEST_F(CodePagesTest, InvalidBytesFailOnlyWhenAskedTo) {
  // A lead byte of Simplified Chinese with nothing after it.
  const char broken[] = "a\xD6";
  WCHAR wide[4];
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, broken, 2, wide, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  EXPECT_EQ(MultiByteToWideChar(936, 0, broken, 2, wide, 4), 2);
  EXPECT_EQ(wide[1], u'\uFFFD');
}

TEST_F(CodePagesTest, SmallBuffersAndUnknownCodePagesFail) {
  WCHAR one[1];
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, one, 1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(12345, 0, "abc", 3, one, 1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(IsValidCodePage(12345));
  EXPECT_TRUE(IsValidCodePage(950));
}

}  // namespace
}  // namespace platform
