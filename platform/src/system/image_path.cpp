#include "system/image_path.h"

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/paths.h"

namespace platform::system_internal {

namespace {

constexpr std::string_view kWindowsFolder = "\\Windows\\";

}  // namespace

std::optional<std::string> ResolveImagePath(std::string_view name,
                                            std::string_view default_extension, DWORD* error) {
  std::string text(name);
  if (!text.empty() && text.find(kPathSeparator) == std::string::npos) {
    text.insert(0, kWindowsFolder);
  }
  std::optional<HandheldPath> path = HandheldPath::Parse(text, error);
  if (!path) return std::nullopt;
  if (path->IsRoot() || path->trailing_separator()) {
    *error = ERROR_BAD_PATHNAME;
    return std::nullopt;
  }
  std::string resolved = path->ToString();
  if (path->Name().find('.') == std::string_view::npos) resolved += default_extension;
  return resolved;
}

std::string ImageKey(std::string_view resolved_path) { return FoldCase(resolved_path); }

bool ImageFilePresent(std::string_view resolved_path) {
  const DWORD saved_error = GetLastError();
  const DWORD attributes = GetFileAttributes(resolved_path);
  SetLastError(saved_error);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace platform::system_internal
