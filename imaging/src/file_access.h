// Reading pictures from and writing them back to the handheld's file
// system, through the platform's file calls.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "imaging/qximglib.h"

namespace imaging {

// Files larger than this are not read into memory.
inline constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

// The whole file: kLoadCannotOpen when it cannot be opened or read,
// kLoadTooLarge above kMaxFileBytes.
LoadResult ReadWholeFile(std::string_view path, std::vector<std::uint8_t>* bytes);

// Replaces the file's contents so that at every moment the path holds
// either the old file or the complete new one: the new contents go to a
// temporary file in the same folder, the old file steps aside under a
// second temporary name, the new one takes its name, and only then is the
// old one deleted. Any failure puts the old file back and removes the
// temporary ones. Read-only and ROM files are refused. The file's
// attributes stay, and its folder sees the item-updated notification.
bool ReplaceFileContents(std::string_view path, std::span<const std::uint8_t> contents);

}  // namespace imaging
