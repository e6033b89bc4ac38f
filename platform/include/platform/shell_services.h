// Small shell services: the special folders, shortcuts and the shell's
// out-of-memory message.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace platform {

// Folder ids.
inline constexpr int CSIDL_PROGRAMS = 0x0002;    // "\Windows\Start Menu\Programs"
inline constexpr int CSIDL_PERSONAL = 0x0005;    // "\My Documents"
inline constexpr int CSIDL_STARTMENU = 0x000B;   // "\Windows\Start Menu"
inline constexpr int CSIDL_WINDOWS = 0x0024;     // "\Windows"
inline constexpr int CSIDL_MYPICTURES = 0x0027;  // "\My Documents\My Pictures"

// Fills `path` (MAX_PATH characters) with the folder's handheld path,
// making it first when `create` is set. FALSE with ERROR_INVALID_PARAMETER
// for an unknown id or a null path, or with the file system's error when
// the folder is missing and cannot be made.
BOOL SHGetSpecialFolderPath(HWND owner, char* path, int folder, BOOL create);
std::optional<std::string> SpecialFolderPath(int folder, bool create = false);

// Shows the shell's message that memory ran out, owned by `owner`.
BOOL SHShowOutOfMemory(HWND owner, UINT flags);
// Its text and caption, for those who check for it.
inline constexpr std::string_view kOutOfMemoryText =
    "There is not enough memory to finish this. Close some programs, or delete some files, "
    "and try again.";
inline constexpr std::string_view kOutOfMemoryCaption = "Out of Memory";

// Shortcuts: small files ("NN#target") that stand for a program or a
// document. The Start menu lists those of the programs folder.
// Writes a shortcut file to `target`; FALSE with the file system's error.
BOOL SHCreateShortcut(std::string_view shortcut, std::string_view target);
// The target a shortcut file names; nothing when it cannot be read.
std::optional<std::string> SHGetShortcutTarget(std::string_view shortcut);

}  // namespace platform
