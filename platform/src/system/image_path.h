// Where programs and modules live: a name without a folder stands for a file
// in "\Windows\", and is present only while that file exists.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace platform::system_internal {

// The handheld path a program or module name stands for, as
// "\Folder\name.ext": a name without a folder is in "\Windows\", a name
// without an extension gets default_extension (".dll", ".exe"). Nothing,
// with the path's error in *error, when the name is malformed.
std::optional<std::string> ResolveImagePath(std::string_view name,
                                            std::string_view default_extension, DWORD* error);

// The key images are registered under: the path folded for comparisons
// without regard to case.
std::string ImageKey(std::string_view resolved_path);

// True when the handheld's file system holds the file (not a folder).
bool ImageFilePresent(std::string_view resolved_path);

}  // namespace platform::system_internal
