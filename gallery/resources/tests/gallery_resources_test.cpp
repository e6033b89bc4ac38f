// The resource library's contents: every language has every text, with the
// conversions its callers fill in; each language's menu and dialogs carry
// that language's words; the artwork has the sizes the program draws with.
#include "gallery/resources/gallery_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gallery/resources/commands.h"
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "platform/gdi_png.h"
#include "texts.h"

namespace gallery {
namespace {

using platform::LANGID;

constexpr LANGID kEnglish = 0x0409;
const std::vector<LANGID> kLanguages = {0x0409, 0x0804, 0x0404, 0x0407, 0x040C,
                                        0x0410, 0x0416, 0x0C0A, 0x0412};

// The printf conversions of a text, in order ("%%" is none).
std::string Conversions(const std::string& text) {
  std::string found;
  for (std::size_t at = 0; at + 1 < text.size(); ++at) {
    if (text[at] != '%') continue;
    if (text[at + 1] != '%') found += text[at + 1];
    ++at;
  }
  return found;
}

std::vector<platform::UINT> EnglishIds(const platform::ModuleResources& resources) {
  std::vector<platform::UINT> ids;
  for (platform::UINT id = 0; id < 50000; ++id) {
    const auto languages = resources.StringLanguages(id);
    if (std::find(languages.begin(), languages.end(), kEnglish) != languages.end()) {
      ids.push_back(id);
    }
  }
  return ids;
}

class GalleryResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    library_ = MakeResourceLibrary(&error);
    ASSERT_TRUE(library_) << error;
  }
  std::shared_ptr<platform::ModuleResources> library_;
};

TEST_F(GalleryResourcesTest, EveryLanguageHasEveryTextWithItsConversions) {
  const std::vector<platform::UINT> ids = EnglishIds(*library_);
  EXPECT_GT(ids.size(), 100u);
  const Texts english(*library_, kEnglish);
  EXPECT_EQ(Conversions(english(kStringExternalDisplay)), "sddd");
  EXPECT_EQ(Conversions(english(40085)), "d");
  for (LANGID language : kLanguages) {
    const Texts text(*library_, language);
    for (platform::UINT id : ids) {
      EXPECT_FALSE(text(id).empty()) << std::hex << language << std::dec << " " << id;
      EXPECT_EQ(Conversions(text(id)), Conversions(english(id)))
          << std::hex << language << std::dec << " " << id << ": " << text(id);
    }
  }
  // The transitions: 22 effects and "random".
  for (platform::UINT id = kStringFirstTransition; id <= kStringFirstTransition + 22; ++id) {
    EXPECT_FALSE(english(id).empty()) << id;
  }
}

TEST_F(GalleryResourcesTest, EachLanguagesMenuAndDialogsSpeakIt) {
  for (LANGID language : kLanguages) {
    platform::DWORD error = 0;
    const platform::LanguageChoice exactly{language, true};
    const platform::MenuTemplate* menu = library_->FindMenu(kMenuBrowser, exactly, &error);
    ASSERT_TRUE(menu) << std::hex << language;
    const Texts text(*library_, language);
    ASSERT_EQ(menu->items.size(), 7u);
    const platform::MenuItemTemplate& tools = menu->items[0];
    EXPECT_EQ(tools.id, kMenuTools);
    EXPECT_EQ(tools.text, text(kTextMenu));
    EXPECT_EQ(tools.items[0].id, kCommandCamera);
    EXPECT_TRUE(tools.items[1].separator);
    EXPECT_EQ(tools.items[2].id, kMenuPicture);
    EXPECT_EQ(tools.items[2].text, text(kTextPicture));
    EXPECT_EQ(menu->items[1].id, kButtonCamera);
    EXPECT_EQ(menu->items[1].image, 0);
    EXPECT_EQ(menu->items[6].id, kButtonDelete);
    for (platform::UINT dialog : {kDialogAbout, kDialogGeneralPage, kDialogFilePage,
                                  kDialogSlideshowPage, kDialogAudioPage}) {
      EXPECT_TRUE(library_->FindDialog(dialog, exactly, &error)) << dialog;
    }
    const platform::DialogTemplate* general =
        library_->FindDialog(kDialogGeneralPage, exactly, &error);
    ASSERT_TRUE(general);
    EXPECT_EQ(general->caption, text(kTextGeneralPage));
  }
}

TEST_F(GalleryResourcesTest, ThePagesHoldTheirControls) {
  platform::DWORD error = 0;
  const platform::DialogTemplate* slideshow =
      library_->FindDialog(kDialogSlideshowPage, platform::LanguageChoice{}, &error);
  ASSERT_TRUE(slideshow);
  std::vector<platform::UINT> ids;
  for (const auto& item : slideshow->items) ids.push_back(item.id);
  for (platform::UINT id : {1012u, 1013u, 1014u, 1015u, 1016u, 1017u, 1018u, 1019u, 1020u, 1021u,
                            1022u, 1023u, 1047u, 1048u}) {
    EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
  }
}

TEST(GalleryArtworkTest, BitmapsHaveTheSizesTheProgramDrawsWith) {
  std::string error;
  const auto library = MakeResourceLibrary(&error);
  const auto program = MakeProgramResources(&error);
  ASSERT_TRUE(library && program) << error;
  platform::DWORD lookup = 0;
  auto size = [&](const platform::ModuleResources& resources, platform::ResourceType type, int id) {
    const platform::BinaryResource* found =
        resources.FindBinary(type, id, platform::LanguageChoice{}, &lookup);
    if (!found) return std::pair(0, 0);
    const auto picture = platform::gdi::DecodePng(found->data);
    return picture ? std::pair(picture->width(), picture->height()) : std::pair(0, 0);
  };
  EXPECT_EQ(size(*library, platform::ResourceType::kBitmap, kToolbarBitmap),
            std::pair(16 * kToolbarImages, 16));
  EXPECT_EQ(size(*program, platform::ResourceType::kBitmap, kBitmapHiddenPicture),
            std::pair(80, 62));
  for (int icon : {kIconBitmap, kIconJpeg, kIconGif, kIconPng}) {
    EXPECT_EQ(size(*program, platform::ResourceType::kIcon, icon), std::pair(32, 32)) << icon;
  }
}

}  // namespace
}  // namespace gallery
