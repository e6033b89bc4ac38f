// Every character of every language has a glyph in the font the handheld
// draws that language with: Liberation Sans for the Latin scripts,
// WenQuanYi Zen Hei for Chinese and Korean.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "block_languages.h"
#include "localization/get_str.h"
#include "localization/install.h"
#include "localization_testing/text_checks.h"
#include "platform/resources.h"

namespace localization {
namespace {

constexpr char kLatinFont[] = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
constexpr char kCjkFont[] = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";

using testing::kBlockLanguages;

bool DrawnWithCjkFont(int language) { return language == 1 || language == 2 || language == 8; }

struct LibraryCloser {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryCloser>;
using Face = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceCloser>;

TEST(GlyphCoverageTest, EveryCharacterHasAGlyphInItsFont) {
  if (!std::filesystem::exists(kLatinFont) || !std::filesystem::exists(kCjkFont)) {
    GTEST_SKIP() << "fonts-liberation or fonts-wqy-zenhei is not installed";
  }
  FT_Library raw_library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&raw_library), 0);
  Library library(raw_library);
  Face faces[2];
  const char* files[2] = {kLatinFont, kCjkFont};
  for (int i = 0; i < 2; ++i) {
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library.get(), files[i], 0, &face), 0) << files[i];
    faces[i].reset(face);
  }

  platform::ModuleResources resources;
  std::string error;
  ASSERT_TRUE(platform::LoadResourceFolder(DefaultResourceFolder(), &resources, &error)) << error;
  for (int language = 0; language < kLanguageCount; ++language) {
    FT_Face face = faces[DrawnWithCjkFont(language) ? 1 : 0].get();
    for (platform::UINT base = kFirstBaseId; base <= kLastBaseId; ++base) {
      platform::DWORD lookup_error = 0;
      const std::string* text = resources.FindString(
          base + kLanguageIdStride * language, {kBlockLanguages[language], true}, &lookup_error);
      ASSERT_NE(text, nullptr);
      const auto decoded = testing::DecodeUtf8(*text);
      ASSERT_TRUE(decoded);
      for (char32_t c : *decoded) {
        EXPECT_NE(FT_Get_Char_Index(face, c), 0u) << "language " << language << " id " << base
                                                  << " U+" << std::hex << static_cast<unsigned>(c);
      }
    }
  }
}

}  // namespace
}  // namespace localization
