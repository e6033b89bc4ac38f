// Names of the handheld's keys as scripts and the front-end's help give
// them: "enter", "action", "app1", "up", "a", "7", ...
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace handheld {

// The virtual-key code of a key name (case does not matter); nothing for
// an unknown name.
std::optional<platform::UINT> KeyByName(std::string_view name);

// A key as a script presses it: its name, optionally after "shift+"
// ("shift+tab"), which holds Shift down around it.
struct KeyPress {
  platform::UINT key = 0;
  bool shift = false;
};
std::optional<KeyPress> KeyPressByName(std::string_view name);

// The named keys (letters and digits aside), for help texts.
std::vector<std::string> KeyNames();

}  // namespace handheld
