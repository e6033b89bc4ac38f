// Which keys of the host's keyboard stand for which keys of the handheld in
// the window front-end; --help and the front panel list the same table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace handheld {

// The handheld key for a host key (an SDL key code) (letters and digits map to themselves).
std::optional<platform::UINT> HandheldKeyFor(int host_key);

struct KeyHelp {
  std::string host_keys;  // "F1-F4"
  std::string meaning;    // "application keys 1-4"
};
// The mappings as --help and the front panel list them.
std::vector<KeyHelp> KeyboardHelp();

}  // namespace handheld
