// Resources of loaded modules: strings by id and language, encoded bitmaps
// and sounds by number or name, menus and dialog templates.
#include "platform/resources.h"

#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>

#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

constexpr std::string_view kLibrary = "\\Windows\\Localization.dll";
constexpr LANGID kFrench = 0x040C;
constexpr LANGID kFrenchCanada = 0x0C0C;
constexpr LANGID kGerman = 0x0407;
constexpr LANGID kJapanese = 0x0411;

std::shared_ptr<ModuleResources> SampleResources() {
  auto resources = std::make_shared<ModuleResources>();
  resources->AddString(kLanguageEnglishUs, 50082, "SDIO Connect Error!");
  resources->AddString(kFrench, 50082, "Erreur de connexion SDIO !");
  // Each language block has its own ids, as the string library keeps them.
  resources->AddString(kFrench, 50882, "Erreur de connexion SDIO !");
  resources->AddString(kGerman, 50099, " wurde gespeichert!");
  resources->AddBinary(ResourceType::kBitmap, 112, BinaryResource{{0x89, 'P', 'N', 'G'}, {}});
  resources->AddBinary(ResourceType::kWave, "SNAP", BinaryResource{{'R', 'I', 'F', 'F'}, {}});
  MenuItemTemplate file;
  file.text = "File";
  file.items.resize(3);
  file.items[0].text = "&Delete";
  file.items[0].id = 40005;
  file.items[1].separator = true;
  file.items[2].text = "E&xit";
  file.items[2].id = 40019;
  file.items[2].grayed = true;
  resources->AddMenu(102, MenuTemplate{{file}});
  DialogTemplate dialog;
  dialog.caption = "About";
  dialog.cx = 160;
  dialog.cy = 100;
  DialogItemTemplate version;
  version.window_class = "STATIC";
  version.text = "v1.15.002";
  version.id = 1007;
  dialog.items.push_back(version);
  resources->AddDialog(110, dialog);
  return resources;
}

class ResourcesTest : public ::testing::Test {
 protected:
  explicit ResourcesTest(LANGID language = kLanguageEnglishUs) : device_(Config(language)) {
    module_ = device_.handheld().modules().Register(kLibrary, {{}, SampleResources(), {}});
    const std::string contents = "module";
    device_.handheld().files().InstallFile(kLibrary, std::as_bytes(std::span(contents)));
    EXPECT_EQ(LoadLibrary(kLibrary), module_);
  }

  static HandheldConfig Config(LANGID language) {
    HandheldConfig config;
    config.locale_id = language;
    return config;
  }

  std::string String(UINT id) {
    std::string text;
    LoadString(module_, id, &text);
    return text;
  }

  testing::TempHandheld device_;
  HMODULE module_ = nullptr;
};

TEST_F(ResourcesTest, StringsInAnExactLanguage) {
  std::string text;
  EXPECT_EQ(LoadString(module_, 50082, kFrench, &text), 26);
  EXPECT_EQ(text, "Erreur de connexion SDIO !");
  EXPECT_EQ(LoadString(module_, 50082, kLanguageEnglishUs, &text), 19);
  EXPECT_EQ(text, "SDIO Connect Error!");

  EXPECT_EQ(LoadString(module_, 50082, kGerman, &text), 0);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_LANG_NOT_FOUND);
  EXPECT_EQ(text, "");
  EXPECT_EQ(LoadString(module_, 50083, kLanguageEnglishUs, &text), 0);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST_F(ResourcesTest, WithoutALanguageTheHandheldsOrTheClosestIsTaken) {
  EXPECT_EQ(GetUserDefaultUILanguage(), kLanguageEnglishUs);
  EXPECT_EQ(String(50082), "SDIO Connect Error!");
  // An id that only one language has is found whatever the handheld's.
  EXPECT_EQ(String(50882), "Erreur de connexion SDIO !");
  EXPECT_EQ(String(50099), " wurde gespeichert!");
}

class FrenchCanadaResourcesTest : public ResourcesTest {
 protected:
  FrenchCanadaResourcesTest() : ResourcesTest(kFrenchCanada) {}
};

TEST_F(FrenchCanadaResourcesTest, AnotherSublanguageOfTheSameLanguageComesFirst) {
  EXPECT_EQ(String(50082), "Erreur de connexion SDIO !");
}

class JapaneseResourcesTest : public ResourcesTest {
 protected:
  JapaneseResourcesTest() : ResourcesTest(kJapanese) {}
};

TEST_F(JapaneseResourcesTest, ALanguageWithoutStringsFallsBackToEnglish) {
  EXPECT_EQ(String(50082), "SDIO Connect Error!");
}

TEST_F(ResourcesTest, EncodedResourcesByNumberOrNameOfEitherCase) {
  auto bitmap = FindResource(module_, 112, ResourceType::kBitmap);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->data, (std::vector<BYTE>{0x89, 'P', 'N', 'G'}));
  auto sound = FindResource(module_, "snap", ResourceType::kWave);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->data.size(), 4u);

  EXPECT_EQ(FindResource(module_, 113, ResourceType::kBitmap), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(FindResource(module_, "SNAP", ResourceType::kBitmap), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(FindResource(module_, 121, ResourceType::kIcon), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
  EXPECT_EQ(FindResource(module_, 112, ResourceType::kBitmap, kGerman), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_LANG_NOT_FOUND);

  // What was found stays valid after the module is freed.
  FreeLibrary(module_);
  EXPECT_EQ(bitmap->data[1], 'P');
}

TEST_F(ResourcesTest, MenusAndDialogTemplates) {
  auto menu = FindMenuTemplate(module_, 102);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 1u);
  ASSERT_EQ(menu->items[0].items.size(), 3u);
  EXPECT_EQ(menu->items[0].items[0].id, 40005u);
  EXPECT_TRUE(menu->items[0].items[1].separator);
  EXPECT_TRUE(menu->items[0].items[2].grayed);

  auto dialog = FindDialogTemplate(module_, 110);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->caption, "About");
  ASSERT_EQ(dialog->items.size(), 1u);
  EXPECT_EQ(dialog->items[0].id, 1007u);
  EXPECT_EQ(FindDialogTemplate(module_, 111), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST_F(ResourcesTest, AModuleThatIsNotLoadedHasNoResources) {
  FreeLibrary(module_);
  std::string text = "old";
  EXPECT_EQ(LoadString(module_, 50082, &text), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(text, "");
  EXPECT_EQ(FindMenuTemplate(module_, 102), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(ResourcesTest, AModuleWithoutResources) {
  HMODULE bare = device_.handheld().modules().Register("\\Windows\\oRKAUtil.dll", {});
  const std::string contents = "module";
  device_.handheld().files().InstallFile("\\Windows\\oRKAUtil.dll",
                                         std::as_bytes(std::span(contents)));
  ASSERT_EQ(LoadLibrary("oRKAUtil.dll"), bare);
  std::string text;
  EXPECT_EQ(LoadString(bare, 1, &text), 0);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
}

}  // namespace
}  // namespace platform
