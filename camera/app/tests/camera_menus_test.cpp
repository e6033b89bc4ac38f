// The camera's menus in every language: the same commands in the same
// places, with the string library's words for them.
#include "camera_menus.h"

#include <gtest/gtest.h>

#include "camera_dialog.h"
#include "localization/install.h"

namespace camera {
namespace {

using platform::MenuTemplate;

class CameraMenusTest : public ::testing::Test {
 protected:
  CameraMenusTest() {
    std::string error;
    EXPECT_TRUE(
        platform::LoadResourceFolder(localization::DefaultResourceFolder(), &texts_, &error))
        << error;
    AddCameraMenus(texts_, &program_);
  }

  const MenuTemplate* Menu(platform::UINT id) {
    platform::DWORD error = 0;
    return program_.FindMenu(id, platform::LanguageChoice{}, &error);
  }

  platform::ModuleResources texts_;
  platform::ModuleResources program_;
};

TEST_F(CameraMenusTest, EnglishHasFileAndModeWithTheirCommands) {
  const MenuTemplate* menu = Menu(348);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 2u);
  const auto& file = menu->items[0];
  EXPECT_EQ(file.text, "File");
  ASSERT_EQ(file.items.size(), 5u);
  EXPECT_EQ(file.items[0].text, "Play");
  EXPECT_EQ(file.items[0].id, kCommandPlay);
  EXPECT_EQ(file.items[1].text, "Menu...");
  EXPECT_EQ(file.items[1].id, kCommandMenu);
  EXPECT_EQ(file.items[2].text, "About...");
  EXPECT_EQ(file.items[2].id, kCommandAbout);
  EXPECT_TRUE(file.items[3].separator);
  EXPECT_EQ(file.items[4].text, "Exit");
  EXPECT_EQ(file.items[4].id, kCommandExit);
  const auto& mode = menu->items[1];
  EXPECT_EQ(mode.text, "Mode");
  ASSERT_EQ(mode.items.size(), 2u);
  EXPECT_EQ(mode.items[0].id, kCommandStill);
  EXPECT_TRUE(mode.items[0].checked) << "Still is the mode at every start";
  EXPECT_EQ(mode.items[1].id, kCommandVideo);
  EXPECT_FALSE(mode.items[1].checked);
}

TEST_F(CameraMenusTest, EveryLanguageHasItsOwnWordsInTheSameLayout) {
  const MenuTemplate* english = Menu(348);
  ASSERT_NE(english, nullptr);
  for (platform::UINT id = 349; id <= 356; ++id) {
    const MenuTemplate* menu = Menu(id);
    ASSERT_NE(menu, nullptr) << id;
    ASSERT_EQ(menu->items.size(), 2u) << id;
    ASSERT_EQ(menu->items[0].items.size(), 5u) << id;
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(menu->items[0].items[i].id, english->items[0].items[i].id) << id;
      EXPECT_EQ(menu->items[0].items[i].text.empty(), english->items[0].items[i].separator) << id;
    }
  }
  // German (index 3) is menu 351 and speaks German.
  const MenuTemplate* german = Menu(351);
  ASSERT_NE(german, nullptr);
  EXPECT_NE(german->items[0].items[4].text, "Exit");
  EXPECT_EQ(Menu(357), nullptr);
}

}  // namespace
}  // namespace camera
