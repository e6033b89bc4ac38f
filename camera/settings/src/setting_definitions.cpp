#include "camera/settings/setting_definitions.h"

#include "platform/paths.h"

namespace camera {

namespace {

// What no file or folder name may hold, besides control characters.
constexpr std::string_view kForbiddenInNames = "\\/:*?\"<>|";
// Room left in a full path for the longest picture or clip name.
constexpr std::size_t kMaxFolderLength = 260 - kMaxPrefixLength - sizeof("0000.jpg");

bool HasControl(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  }
  return false;
}

}  // namespace

bool IsValidFilenamePrefix(std::string_view prefix) {
  return platform::Utf16Length(prefix) <= static_cast<std::size_t>(kMaxPrefixLength) &&
         prefix.find_first_of(kForbiddenInNames) == std::string_view::npos && !HasControl(prefix);
}

bool IsValidFolder(std::string_view folder) {
  if (folder.empty() || folder.front() != '\\' || folder.back() != '\\') return false;
  if (platform::Utf16Length(folder) > kMaxFolderLength || HasControl(folder)) return false;
  if (folder.find("\\\\") != std::string_view::npos) return false;
  return folder.find_first_of(kForbiddenInNames.substr(1)) == std::string_view::npos;
}

}  // namespace camera
