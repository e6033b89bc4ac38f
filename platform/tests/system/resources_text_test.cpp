// Resources read from files: string tables as UTF-8 text, and a component's
// resources folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/resources.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr LanguageChoice kExactEnglish{kLanguageEnglishUs, true};

std::string StringOf(const ModuleResources& resources, UINT id, LANGID language) {
  DWORD error = 0;
  const std::string* text = resources.FindString(id, {language, true}, &error);
  return text ? *text : "<error " + std::to_string(error) + ">";
}

TEST(StringTableTextTest, SectionsIdsAndQuotedTexts) {
  ModuleResources resources;
  std::string error;
  ASSERT_TRUE(
      ParseStringTable("\xEF\xBB\xBF# The camera's texts.\r\n"
                       "[0x0409]\r\n"
                       "50001 \"Quillon Mobile Camera\"\r\n"
                       "\n"
                       "50077   \"Folder name can't contain chars:  \\\\/:*?\\\"<>|\"\n"
                       "50099 \" is saved!\"\n"
                       "  50055 \"Picture is taken 2 seconds after shutter button is pressed. \"\n"
                       "[1036]\n"
                       "50801 \"Cam\xC3\xA9ra\\tmobile\\nQuillon\"\n",
                       &resources, &error))
      << error;
  EXPECT_EQ(StringOf(resources, 50001, 0x0409), "Quillon Mobile Camera");
  EXPECT_EQ(StringOf(resources, 50077, 0x0409), "Folder name can't contain chars:  \\/:*?\"<>|");
  EXPECT_EQ(StringOf(resources, 50099, 0x0409), " is saved!");
  EXPECT_EQ(StringOf(resources, 50055, 0x0409),
            "Picture is taken 2 seconds after shutter button is pressed. ");
  EXPECT_EQ(StringOf(resources, 50801, 0x040C), "Cam\xC3\xA9ra\tmobile\nQuillon");
  EXPECT_EQ(resources.StringLanguages(50801), std::vector<LANGID>{0x040C});
}

TEST(StringTableTextTest, MalformedTextIsRefusedWithItsLineAndAddsNothing) {
  const struct {
    const char* text;
    int line;
  } cases[] = {
      {"[0x0409]\n50001 missing quotes\n", 2},
      {"[0x0409]\n50001 \"unterminated\n", 2},
      {"[0x0409]\n50001 \"one\" \"two\"\n", 2},
      {"[0x0409]\n50001 \"bad \\q escape\"\n", 2},
      {"[0x0409]\n\n50001 \"a\"\n50001 \"b\"\n", 4},
      {"[English]\n", 1},
      {"[0x10000]\n", 1},
      {"[0x0409]\n-3 \"negative\"\n", 2},
  };
  for (const auto& test : cases) {
    ModuleResources resources;
    resources.AddString(kLanguageEnglishUs, 7, "kept");
    std::string error;
    // Good lines come first; they are not added either.
    const std::string text = std::string("# texts\n[0x0409]\n50002 \"OK\"\n") + test.text;
    EXPECT_FALSE(ParseStringTable(text, &resources, &error)) << test.text;
    EXPECT_TRUE(error.starts_with("line " + std::to_string(test.line + 3) + ":"))
        << test.text << " -> " << error;
    DWORD lookup_error = 0;
    EXPECT_EQ(resources.FindString(50001, kExactEnglish, &lookup_error), nullptr) << test.text;
    EXPECT_EQ(resources.FindString(50002, kExactEnglish, &lookup_error), nullptr) << test.text;
    EXPECT_NE(resources.FindString(7, kExactEnglish, &lookup_error), nullptr);
  }
  ModuleResources resources;
  std::string error;
  EXPECT_FALSE(ParseStringTable("50001 \"before any section\"\n", &resources, &error));
  EXPECT_TRUE(error.starts_with("line 1:")) << error;
}

class ResourceFolderTest : public ::testing::Test {
 protected:
  ~ResourceFolderTest() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  void Write(const fs::path& relative, std::string_view contents) {
    fs::create_directories((folder_ / relative).parent_path());
    std::ofstream(folder_ / relative, std::ios::binary) << contents;
  }

  fs::path folder_ = testing::MakeTemporaryFolder("orsa-resources");
  const std::string png_ = std::string("\x89PNG\r\n\x1A\n", 8) + "image";
};

TEST_F(ResourceFolderTest, ReadsStringsBitmapsIconsAndSounds) {
  Write("strings/english.txt", "[0x0409]\n100 \"Error\"\n");
  Write("strings/german.txt", "[0x0407]\n100 \"Fehler\"\n");
  Write("bitmaps/112.png", png_);
  Write("icons/121.png", png_);
  Write("sounds/SNAP.wav", "RIFF....WAVEfmt ");
  Write("generate.py", "# draws the bitmaps\n");  // not a resource

  ModuleResources resources;
  std::string error;
  ASSERT_TRUE(LoadResourceFolder(folder_, &resources, &error)) << error;

  EXPECT_EQ(StringOf(resources, 100, 0x0407), "Fehler");
  EXPECT_EQ(StringOf(resources, 100, 0x0409), "Error");
  DWORD lookup_error = 0;
  const BinaryResource* bitmap =
      resources.FindBinary(ResourceType::kBitmap, 112, kExactEnglish, &lookup_error);
  EXPECT_EQ(bitmap, nullptr);  // neutral, not English
  bitmap =
      resources.FindBinary(ResourceType::kBitmap, 112, {kLanguageEnglishUs, false}, &lookup_error);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->data.size(), png_.size());
  EXPECT_EQ(bitmap->source, folder_ / "bitmaps/112.png");
  EXPECT_NE(resources.FindBinary(ResourceType::kIcon, 121, {}, &lookup_error), nullptr);
  const BinaryResource* sound =
      resources.FindBinary(ResourceType::kWave, "Snap", {}, &lookup_error);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(std::string(sound->data.begin(), sound->data.end()), "RIFF....WAVEfmt ");
}

TEST_F(ResourceFolderTest, AFileThatDoesNotFitFailsTheWholeFolder) {
  const struct {
    const char* path;
    std::string contents;
  } cases[] = {
      {"bitmaps/113.bmp", png_},                // wrong kind of file
      {"bitmaps/114.png", "BM not a png"},      // not what it says
      {"sounds/CLICK.wav", "not a wave"},       //
      {"strings/broken.txt", "100 \"Error\""},  // no language section
  };
  for (const auto& test : cases) {
    fs::remove_all(folder_);
    Write("bitmaps/112.png", png_);
    Write(test.path, test.contents);
    ModuleResources resources;
    std::string error;
    EXPECT_FALSE(LoadResourceFolder(folder_, &resources, &error)) << test.path;
    EXPECT_NE(error.find(fs::path(test.path).filename().string()), std::string::npos) << error;
    DWORD lookup_error = 0;
    EXPECT_EQ(resources.FindBinary(ResourceType::kBitmap, 112, {}, &lookup_error), nullptr);
  }
  ModuleResources resources;
  std::string error;
  EXPECT_FALSE(LoadResourceFolder(folder_ / "missing", &resources, &error));
}

}  // namespace
}  // namespace platform
