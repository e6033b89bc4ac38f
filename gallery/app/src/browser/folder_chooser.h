// The folder chooser "DirTree": a modal full-screen folder tree for the
// folder to browse and the destination of moves and copies, in which
// folders can also be made, renamed and removed.
#pragma once

#include <string>

#include "platform/window.h"

namespace gallery {

// Runs the chooser over `owner` with `title`, its label reading
// `label_prefix` ":" and the selected folder. `folder` gives the start
// folder and, on Done, receives the chosen one (ending in "\"). False when
// closed without choosing; `folder` is then unchanged.
bool ChooseFolder(platform::HWND owner, const std::string& title, const std::string& label_prefix,
                  std::string& folder);

}  // namespace gallery
