// What the folder chooser does to folders, apart from its window: making a
// new folder under a free name, removing and renaming, the message each
// failure gets, and the longest folder path the chooser hands back.
#pragma once

#include <optional>
#include <string>

#include "platform/types.h"

namespace gallery {

// The longest folder path (with its final "\") the chooser gives back, in
// characters: the caller's buffer holds 260 with the terminating zero.
inline constexpr std::size_t kLongestFolder = 259;

// The resource string that reports platform error `error`; for an error
// the table does not know, string 560, a format for the error number.
platform::UINT FolderErrorString(platform::DWORD error);
// The text of that message, with the number filled in where it has one.
std::string FolderErrorText(platform::DWORD error);

struct NewFolder {
  std::string name;              // as made; empty on failure
  platform::DWORD error = 0;     // the failure when no name was made
  bool names_exhausted = false;  // every numbered name was taken
};

// Makes `base` under `parent` (ending in "\"), or while that name is taken
// `base` " (2)", " (3)", ... up to " (9998)".
NewFolder MakeNewFolder(const std::string& parent, const std::string& base);

// Removes the folder `path` (with or without its final "\"); 0 or the
// platform's error.
platform::DWORD RemoveFolder(const std::string& path);

// Renames `old_name` to `new_name` inside `parent` (ending in "\"); 0 or
// the platform's error (ERROR_FILENAME_EXCED_RANGE when the new path would
// not fit the caller's buffer).
platform::DWORD RenameFolder(const std::string& parent, const std::string& old_name,
                             const std::string& new_name);

// Whether `folder` fits the caller's 260-character buffer.
bool FolderFits(const std::string& folder);

}  // namespace gallery
