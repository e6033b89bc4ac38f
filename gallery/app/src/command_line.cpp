#include "command_line.h"

#include "platform/files.h"

namespace gallery {

std::optional<std::string> StartPathFromCommandLine(std::string_view command_line) {
  std::string_view path = command_line;
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    path = path.substr(1, path.size() - 2);
  }
  if (path.empty() || path.size() > kLongestPath || path.front() != '\\' ||
      path.find('"') != std::string_view::npos) {
    return std::nullopt;
  }
  const platform::DWORD attributes = platform::GetFileAttributes(path);
  if (attributes == platform::INVALID_FILE_ATTRIBUTES) return std::nullopt;
  if (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) {
    std::string folder(path);
    if (folder.back() != '\\') folder += '\\';
    return folder;
  }
  return std::string(path);
}

std::string FolderOf(std::string_view path) {
  const std::size_t last = path.rfind('\\');
  if (last == std::string_view::npos || last == 0) return "\\";
  return std::string(path.substr(0, last));
}

std::string FileNameOf(std::string_view path) {
  const std::size_t last = path.rfind('\\');
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

}  // namespace gallery
