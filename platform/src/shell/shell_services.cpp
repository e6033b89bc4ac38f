// The special folders, shortcut files and the out-of-memory message.
#include "platform/shell_services.h"

#include <cstring>

#include "platform/files.h"
#include "platform/message_box.h"

namespace platform {

namespace {

std::optional<std::string_view> FolderOf(int folder) {
  switch (folder) {
    case CSIDL_PROGRAMS:
      return "\\Windows\\Start Menu\\Programs";
    case CSIDL_PERSONAL:
      return "\\My Documents";
    case CSIDL_STARTMENU:
      return "\\Windows\\Start Menu";
    case CSIDL_WINDOWS:
      return "\\Windows";
    case CSIDL_MYPICTURES:
      return "\\My Documents\\My Pictures";
    default:
      return std::nullopt;
  }
}

// Makes the folder and the ones above it; their errors go to the last error.
bool MakeFolders(std::string_view path) {
  for (std::size_t at = path.find('\\', 1);; at = path.find('\\', at + 1)) {
    const std::string_view prefix = path.substr(0, at);
    if (GetFileAttributes(prefix) == INVALID_FILE_ATTRIBUTES && !CreateDirectory(prefix)) {
      return false;
    }
    if (at == std::string_view::npos) return true;
  }
}

}  // namespace

std::optional<std::string> SpecialFolderPath(int folder, bool create) {
  const std::optional<std::string_view> path = FolderOf(folder);
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  if (create) {
    // The ROM folder's own folders are the system's to make.
    InstallerAccess access;
    if (!MakeFolders(*path)) return std::nullopt;
  }
  return std::string(*path);
}

BOOL SHGetSpecialFolderPath(HWND owner, char* path, int folder, BOOL create) {
  (void)owner;
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::optional<std::string> found = SpecialFolderPath(folder, create != FALSE);
  if (!found) return FALSE;
  std::memcpy(path, found->c_str(), found->size() + 1);
  return TRUE;
}

BOOL SHShowOutOfMemory(HWND owner, UINT flags) {
  (void)flags;
  MessageBox(owner, kOutOfMemoryText, kOutOfMemoryCaption, MB_OK | MB_ICONERROR);
  return TRUE;
}

BOOL SHCreateShortcut(std::string_view shortcut, std::string_view target) {
  // The target is quoted when it holds spaces, after its length.
  std::string text(target);
  if (text.find(' ') != std::string::npos) text = "\"" + text + "\"";
  text = std::to_string(text.size()) + "#" + text;
  FileHandle file = CreateFile(shortcut, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) return FALSE;
  DWORD written = 0;
  const auto size = static_cast<DWORD>(text.size());
  return WriteFile(file, text.data(), size, &written) && written == size ? TRUE : FALSE;
}

std::optional<std::string> SHGetShortcutTarget(std::string_view shortcut) {
  constexpr DWORD kLargestShortcut = MAX_PATH + 16;
  FileHandle file = CreateFile(shortcut, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return std::nullopt;
  std::string text(kLargestShortcut, '\0');
  DWORD read = 0;
  if (!ReadFile(file, text.data(), kLargestShortcut, &read)) return std::nullopt;
  text.resize(read);
  const std::size_t hash = text.find('#');
  if (hash == std::string::npos) return std::nullopt;
  std::string target = text.substr(hash + 1);
  while (!target.empty() && (target.back() == '\r' || target.back() == '\n')) target.pop_back();
  if (target.size() >= 2 && target.front() == '"' && target.back() == '"') {
    target = target.substr(1, target.size() - 2);
  }
  if (target.empty()) return std::nullopt;
  return target;
}

}  // namespace platform
