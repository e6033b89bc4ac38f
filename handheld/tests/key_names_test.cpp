// Names of the handheld's keys in scripts, and the window front-end's
// keyboard and buttons.
#include "key_names.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "front_panel.h"
#include "keyboard_map.h"
#include "platform/messages.h"
#include "platform/punctuation_keys.h"

namespace handheld {
namespace {

TEST(KeyNamesTest, NamesOfTheHandheldsKeysAnyCase) {
  EXPECT_EQ(KeyByName("action"), platform::VK_ACTION);
  EXPECT_EQ(KeyByName("ACTION"), 0x86u);
  EXPECT_EQ(KeyByName("App1"), 0xC1u);
  EXPECT_EQ(KeyByName("app4"), 0xC4u);
  EXPECT_EQ(KeyByName("enter"), 0x0Du);
  EXPECT_EQ(KeyByName("pagedown"), platform::VK_NEXT);
  EXPECT_EQ(KeyByName("x"), static_cast<platform::UINT>('X'));
  EXPECT_EQ(KeyByName("7"), static_cast<platform::UINT>('7'));
  EXPECT_FALSE(KeyByName("app5"));
  EXPECT_FALSE(KeyByName(""));
  EXPECT_FALSE(KeyByName("?"));
}

TEST(KeyNamesTest, ThePunctuationKeysByCharacterOrName) {
  EXPECT_EQ(KeyByName("="), platform::VK_OEM_PLUS);
  EXPECT_EQ(KeyByName("plus"), platform::VK_OEM_PLUS);
  EXPECT_EQ(KeyByName("-"), platform::VK_OEM_MINUS);
  EXPECT_EQ(KeyByName(","), platform::VK_OEM_COMMA);
  EXPECT_EQ(KeyByName("Period"), platform::VK_OEM_PERIOD);
  EXPECT_EQ(HandheldKeyFor(SDLK_EQUALS), platform::VK_OEM_PLUS);
  EXPECT_EQ(HandheldKeyFor(SDLK_PERIOD), platform::VK_OEM_PERIOD);
}

TEST(KeyNamesTest, AShiftPrefixHoldsShiftAroundAKnownKey) {
  const std::optional<KeyPress> back = KeyPressByName("Shift+Tab");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->key, platform::VK_TAB);
  EXPECT_TRUE(back->shift);
  const std::optional<KeyPress> plain = KeyPressByName("tab");
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->shift);
  EXPECT_FALSE(KeyPressByName("shift+"));
  EXPECT_FALSE(KeyPressByName("shift+app5"));
  EXPECT_FALSE(KeyPressByName("shifttab"));
}

TEST(KeyboardMapTest, HostKeysStandForTheHandheldsKeys) {
  EXPECT_EQ(HandheldKeyFor(SDLK_F1), platform::VK_APP1);
  EXPECT_EQ(HandheldKeyFor(SDLK_F4), platform::VK_APP4);
  EXPECT_EQ(HandheldKeyFor(SDLK_F5), platform::VK_ACTION);
  EXPECT_EQ(HandheldKeyFor(SDLK_UP), platform::VK_UP);
  EXPECT_EQ(HandheldKeyFor(SDLK_RETURN), platform::VK_RETURN);
  EXPECT_EQ(HandheldKeyFor(SDLK_q), static_cast<platform::UINT>('Q'));
  EXPECT_FALSE(HandheldKeyFor(SDLK_F12));  // the front-end's own
  // Every mapping the help lists is there.
  EXPECT_GE(KeyboardHelp().size(), 10u);
}

TEST(FrontPanelTest, ButtonsAndTheScreenDoNotOverlapAndMapToTheScreen) {
  const platform::RECT screen = ScreenRect();
  EXPECT_EQ(screen.right - screen.left, 480);
  EXPECT_EQ(screen.bottom - screen.top, 640);
  for (const HardwareButton& button : HardwareButtons()) {
    platform::RECT overlap;
    EXPECT_FALSE(platform::IntersectRect(&overlap, &button.rect, &screen)) << button.label;
    EXPECT_LE(button.rect.right, kPanelWindowWidth);
    const int cx = (button.rect.left + button.rect.right) / 2;
    const int cy = (button.rect.top + button.rect.bottom) / 2;
    EXPECT_EQ(ButtonAt(cx, cy), &button) << button.label;
  }
  // Action, the four application keys and the d-pad with its centre.
  std::vector<platform::UINT> keys;
  for (const HardwareButton& button : HardwareButtons()) keys.push_back(button.virtual_key);
  for (platform::UINT key : {platform::VK_ACTION, platform::VK_APP1, platform::VK_APP2,
                             platform::VK_APP3, platform::VK_APP4, platform::VK_UP,
                             platform::VK_DOWN, platform::VK_LEFT, platform::VK_RIGHT}) {
    EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end()) << key;
  }
  EXPECT_EQ(ButtonAt(screen.left + 5, screen.top + 5), nullptr);
  EXPECT_EQ(ToScreen(screen.left, screen.top), (platform::POINT{0, 0}));
  EXPECT_EQ(ToScreen(screen.left + 479, screen.top + 639), (platform::POINT{239, 319}));
  EXPECT_EQ(ToScreen(screen.left + 201, screen.top + 100), (platform::POINT{100, 50}));
  EXPECT_EQ(ToScreen(-50, 5000), (platform::POINT{0, 319}));
}

}  // namespace
}  // namespace handheld
