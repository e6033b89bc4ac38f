#include "rename_rules.h"

#include "gallery/resources/string_ids.h"
#include "platform/last_error.h"
#include "platform/paths.h"

namespace gallery {

namespace {

// The longest prefix of `text` (UTF-8) that is at most `limit` UTF-16
// characters long, never cutting a character in two.
std::string CutToCharacters(const std::string& text, int limit) {
  int used = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t bytes = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const int units = bytes == 4 ? 2 : 1;
    if (used + units > limit) break;
    used += units;
    at += bytes;
  }
  return text.substr(0, std::min(at, text.size()));
}

}  // namespace

RenameTarget SplitForRename(const std::string& path) {
  const std::size_t cut = path.rfind('\\');
  RenameTarget target;
  target.folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  if (name.size() > 4 && name[name.size() - 4] == '.') {
    target.shown = name.substr(0, name.size() - 4);
    target.extension = name.substr(name.size() - 3);
  } else {
    target.shown = name;
  }
  return target;
}

RenamePlan PlanRename(const std::string& old_path, const std::string& typed) {
  const RenameTarget target = SplitForRename(old_path);
  const int room = kRenamePathLimit - static_cast<int>(platform::Utf16Length(target.folder));
  if (room <= 0) return {RenameVerdict::kInvalidName, {}};
  const std::string text = CutToCharacters(typed, room);
  if (text.empty()) return {RenameVerdict::kInvalidName, {}};
  std::string new_path = target.folder + text;
  if (!target.extension.empty()) new_path += "." + target.extension;
  if (platform::EqualsIgnoreCase(new_path, old_path)) return {RenameVerdict::kUnchanged, new_path};
  return {RenameVerdict::kRename, new_path};
}

platform::UINT RenameErrorText(platform::DWORD error) {
  switch (error) {
    case platform::ERROR_ALREADY_EXISTS:
      return kStringNameExists;
    case platform::ERROR_FILE_NOT_FOUND:
    case platform::ERROR_DISK_FULL:
    case platform::ERROR_INVALID_NAME:
    case platform::ERROR_FILENAME_EXCED_RANGE:
      return kStringInvalidName;
    default:
      return kStringOtherError;
  }
}

}  // namespace gallery
