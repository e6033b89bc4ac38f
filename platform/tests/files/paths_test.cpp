#include "platform/paths.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/last_error.h"

namespace platform {
namespace {

std::vector<std::string> Names(std::string_view text) {
  DWORD error = ERROR_SUCCESS;
  const auto path = HandheldPath::Parse(text, &error);
  EXPECT_TRUE(path) << text << ": error " << error;
  return path ? path->components() : std::vector<std::string>{};
}

DWORD ParseError(std::string_view text, HandheldPath::Use use = HandheldPath::Use::kName) {
  DWORD error = ERROR_SUCCESS;
  const auto path = HandheldPath::Parse(text, &error, use);
  EXPECT_EQ(path.has_value(), error == ERROR_SUCCESS) << text;
  return error;
}

TEST(HandheldPathTest, SplitsNamesKeepingTheirSpelling) {
  EXPECT_EQ(Names("\\My Documents\\My Pictures\\snap0001.jpg"),
            (std::vector<std::string>{"My Documents", "My Pictures", "snap0001.jpg"}));
  EXPECT_EQ(Names("\\"), std::vector<std::string>{});
  EXPECT_EQ(Names("\\a\\\\b/c"), (std::vector<std::string>{"a", "b", "c"}));

  DWORD error;
  const auto folder = HandheldPath::Parse("\\My Documents\\", &error);
  ASSERT_TRUE(folder);
  EXPECT_TRUE(folder->trailing_separator());
  EXPECT_EQ(folder->ToString(), "\\My Documents");
  EXPECT_EQ(folder->Child("x.jpg").ToString(), "\\My Documents\\x.jpg");
  EXPECT_EQ(folder->Parent().ToString(), "\\");
  EXPECT_EQ(folder->Name(), "My Documents");
}

TEST(HandheldPathTest, MalformedPathsGiveThePlatformsErrors) {
  EXPECT_EQ(ParseError(""), ERROR_BAD_PATHNAME);
  EXPECT_EQ(ParseError("My Documents\\a.txt"), ERROR_BAD_PATHNAME);
  EXPECT_EQ(ParseError("\\\\server\\share"), ERROR_BAD_PATHNAME);
  EXPECT_EQ(ParseError("\\a\\..\\b"), ERROR_BAD_PATHNAME);
  EXPECT_EQ(ParseError("\\a\\.\\b"), ERROR_BAD_PATHNAME);
  for (const char forbidden : std::string("<>:\"|*?\x01\x1f")) {
    EXPECT_EQ(ParseError(std::string("\\a") + forbidden + "b.txt"), ERROR_INVALID_NAME)
        << static_cast<int>(forbidden);
  }
  EXPECT_EQ(ParseError("\\a\xff.txt"), ERROR_INVALID_NAME);  // not UTF-8
}

TEST(HandheldPathTest, WildcardsOnlyInTheLastNameOfAPattern) {
  using Use = HandheldPath::Use;
  EXPECT_EQ(ParseError("\\My Documents\\snap????.jpg", Use::kFindPattern), ERROR_SUCCESS);
  EXPECT_EQ(ParseError("\\My Documents\\*.*", Use::kFindPattern), ERROR_SUCCESS);
  EXPECT_EQ(ParseError("\\My*\\a.jpg", Use::kFindPattern), ERROR_INVALID_NAME);
  EXPECT_EQ(ParseError("\\My Documents\\*\\", Use::kFindPattern), ERROR_INVALID_NAME);
  EXPECT_EQ(ParseError("\\My Documents\\*.jpg"), ERROR_INVALID_NAME);
  EXPECT_EQ(ParseError("\\a|b\\*.jpg", Use::kFindPattern), ERROR_INVALID_NAME);
}

TEST(HandheldPathTest, LengthCountsUtf16UnitsUpToMaxPath) {
  const std::string longest = "\\" + std::string(MAX_PATH - 2, 'a');
  EXPECT_EQ(ParseError(longest), ERROR_SUCCESS);
  EXPECT_EQ(ParseError(longest + "a"), ERROR_FILENAME_EXCED_RANGE);

  // 200 two-byte letters: 401 bytes, but 201 units.
  std::string accented = "\\";
  for (int i = 0; i < 200; ++i) accented += "é";
  EXPECT_EQ(ParseError(accented), ERROR_SUCCESS);
  // Characters beyond the basic plane take two units each.
  std::string emoji = "\\";
  for (int i = 0; i < 130; ++i) emoji += "📷";
  EXPECT_EQ(ParseError(emoji), ERROR_FILENAME_EXCED_RANGE);
  EXPECT_EQ(Utf16Length(emoji), 261u);
}

TEST(CaseFoldTest, ComparesLettersOfSeveralScriptsWithoutCase) {
  EXPECT_TRUE(EqualsIgnoreCase("\\windows\\ORSACAP.EXE", "\\Windows\\orsacap.exe"));
  EXPECT_TRUE(EqualsIgnoreCase("ÄRGER", "ärger"));
  EXPECT_TRUE(EqualsIgnoreCase("ŁÓDŹ", "łódź"));
  EXPECT_TRUE(EqualsIgnoreCase("ΆΒΓ", "άβγ"));
  EXPECT_TRUE(EqualsIgnoreCase("ДЁ", "дё"));
  EXPECT_FALSE(EqualsIgnoreCase("×", "÷"));  // no letters
  EXPECT_FALSE(EqualsIgnoreCase("a.jpg", "a.jpeg"));
  EXPECT_TRUE(StartsWithIgnoreCase("\\Storage Card\\DCIM", "\\STORAGE CARD"));
  EXPECT_FALSE(StartsWithIgnoreCase("\\Storage", "\\Storage Card"));
  // Bytes that are not UTF-8 survive folding.
  EXPECT_EQ(FoldCase("A\xff"), "a\xff");
}

TEST(FindPatternTest, MatchesNamesLikeThePlatform) {
  EXPECT_TRUE(MatchesPattern("snap0001.jpg", "*.*"));
  EXPECT_TRUE(MatchesPattern("README", "*.*"));
  EXPECT_TRUE(MatchesPattern("README", "*"));
  EXPECT_TRUE(MatchesPattern("SNAP0001.JPG", "*.jpg"));
  EXPECT_FALSE(MatchesPattern("snap0001.jpeg", "*.jpg"));
  EXPECT_FALSE(MatchesPattern("clip.jpg.avi", "*.jpg"));
  EXPECT_TRUE(MatchesPattern("snap0001.jpg", "snap????.jpg"));
  EXPECT_FALSE(MatchesPattern("snap001.jpg", "snap????.jpg"));
  EXPECT_FALSE(MatchesPattern("snap00001.jpg", "snap????.jpg"));
  EXPECT_TRUE(MatchesPattern("m0001", "m*.*"));
  EXPECT_TRUE(MatchesPattern("aXbYbc", "a*b*c"));
  EXPECT_FALSE(MatchesPattern("aXbYbd", "a*b*c"));
  EXPECT_TRUE(MatchesPattern("café.txt", "caf?.TXT"));  // one character, two bytes
  EXPECT_TRUE(MatchesPattern("ÉTÉ.jpg", "été.*"));
  EXPECT_FALSE(MatchesPattern("snap0001.jpg", "snap0001.jp"));
  EXPECT_TRUE(HasWildcards("*.jpg"));
  EXPECT_FALSE(HasWildcards("snap0001.jpg"));
}

}  // namespace
}  // namespace platform
