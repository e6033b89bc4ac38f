// Writing a program's result so that nobody ever sees half of it: the bytes
// go into a side file in the same folder that takes the final name only
// once it is complete, and the side file goes again on any failure (a full
// volume, a removed card).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform::programs {

// Creates `folder` and the folders above it when they are missing.
bool EnsureFolder(std::string_view folder, std::string* error);

// The first "<folder>\<stem><ext>", "<folder>\<stem> (2)<ext>", ... that
// does not exist yet; nothing after 9999 tries.
std::optional<std::string> FreeFileName(std::string_view folder, std::string_view stem,
                                        std::string_view extension);

// Writes `bytes` as the new file `path` (which must not exist). False, with
// the message in *error, when it could not be written whole; nothing is
// left behind then.
bool WriteWholeFile(std::string_view path, std::span<const std::byte> bytes, std::string* error);

}  // namespace platform::programs
