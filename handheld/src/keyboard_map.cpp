#include "keyboard_map.h"

#include <SDL.h>

#include "platform/messages.h"
#include "platform/punctuation_keys.h"

namespace handheld {

namespace {

struct Mapping {
  SDL_Keycode host_key;
  platform::UINT virtual_key;
  const char* keys;  // null: described with the mapping before
  const char* meaning;
};

const std::vector<Mapping>& Mappings() {
  using namespace platform;
  static const std::vector<Mapping> mappings = {
      {SDLK_F1, VK_APP1, "F1-F4", "application keys 1-4"},
      {SDLK_F2, VK_APP2, nullptr, nullptr},
      {SDLK_F3, VK_APP3, nullptr, nullptr},
      {SDLK_F4, VK_APP4, nullptr, nullptr},
      {SDLK_UP, VK_UP, "arrow keys", "d-pad"},
      {SDLK_DOWN, VK_DOWN, nullptr, nullptr},
      {SDLK_LEFT, VK_LEFT, nullptr, nullptr},
      {SDLK_RIGHT, VK_RIGHT, nullptr, nullptr},
      {SDLK_F5, VK_ACTION, "F5, keypad 5", "action (d-pad centre)"},
      {SDLK_KP_5, VK_ACTION, nullptr, nullptr},
      {SDLK_RETURN, VK_RETURN, "Enter", "Enter"},
      {SDLK_KP_ENTER, VK_RETURN, nullptr, nullptr},
      {SDLK_ESCAPE, VK_ESCAPE, "Escape", "Escape"},
      {SDLK_BACKSPACE, VK_BACK, "Backspace", "Backspace"},
      {SDLK_DELETE, VK_DELETE, "Delete", "Delete"},
      {SDLK_PAGEUP, VK_PRIOR, "Page Up/Down", "Page Up/Down"},
      {SDLK_PAGEDOWN, VK_NEXT, nullptr, nullptr},
      {SDLK_HOME, VK_HOME, "Home, End", "Home, End"},
      {SDLK_END, VK_END, nullptr, nullptr},
      {SDLK_SPACE, VK_SPACE, "Space, Tab", "Space, Tab"},
      {SDLK_TAB, VK_TAB, nullptr, nullptr},
      {SDLK_LSHIFT, VK_SHIFT, "Shift", "Shift (Shift+Tab walks back)"},
      {SDLK_RSHIFT, VK_SHIFT, nullptr, nullptr},
      {SDLK_EQUALS, VK_OEM_PLUS, "= - , .", "the same keys (zoom and paging in the gallery)"},
      {SDLK_MINUS, VK_OEM_MINUS, nullptr, nullptr},
      {SDLK_COMMA, VK_OEM_COMMA, nullptr, nullptr},
      {SDLK_PERIOD, VK_OEM_PERIOD, nullptr, nullptr},
  };
  return mappings;
}

}  // namespace

std::optional<platform::UINT> HandheldKeyFor(int host_key) {
  for (const Mapping& mapping : Mappings()) {
    if (mapping.host_key == host_key) return mapping.virtual_key;
  }
  if (host_key >= SDLK_a && host_key <= SDLK_z) {
    return static_cast<platform::UINT>('A' + (host_key - SDLK_a));
  }
  if (host_key >= SDLK_0 && host_key <= SDLK_9) {
    return static_cast<platform::UINT>('0' + (host_key - SDLK_0));
  }
  return std::nullopt;
}

std::vector<KeyHelp> KeyboardHelp() {
  std::vector<KeyHelp> lines;
  for (const Mapping& mapping : Mappings()) {
    if (mapping.keys != nullptr) lines.push_back({mapping.keys, mapping.meaning});
  }
  lines.push_back({"a-z, 0-9", "letters and digits"});
  lines.push_back({"F9", "help for the program in front"});
  lines.push_back({"F12", "screenshot of the screen"});
  lines.push_back({"Ctrl+Q", "quit"});
  lines.push_back({"mouse", "stylus on the screen, buttons"});
  return lines;
}

}  // namespace handheld
