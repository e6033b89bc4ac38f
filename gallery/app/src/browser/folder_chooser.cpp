// The folder chooser until it comes: nothing is chosen.
#include "browser/folder_chooser.h"

namespace gallery {

bool ChooseFolder(platform::HWND, const std::string&, const std::string&, std::string&) {
  return false;
}

}  // namespace gallery
