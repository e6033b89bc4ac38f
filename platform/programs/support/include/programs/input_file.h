// The file a program was asked to work on: it must name an existing file
// (not a folder) that can be read whole into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::programs {

// Largest file a program reads into memory: more than any handheld holds
// in its main memory.
inline constexpr std::uint64_t kMaxInputFileBytes = std::uint64_t{64} << 20;

// Nothing, with a message for the user in *error, when `path` is malformed,
// missing or a folder.
bool CheckInputFile(std::string_view path, std::string* error);

// The whole file, or nothing with the message in *error (as above, or it
// cannot be opened or read, or it is larger than kMaxInputFileBytes).
std::optional<std::vector<std::byte>> ReadInputFile(std::string_view path, std::string* error);

// The name after the last backslash.
std::string_view FileNameOf(std::string_view path);
// The extension without its dot, lower case ASCII; empty when none.
std::string ExtensionOf(std::string_view path);

}  // namespace platform::programs
