// Reads at a position through a platform file handle, and the file's size.
#pragma once

#include <cstdint>

#include "platform/files.h"

namespace clip {

// True only when all `size` bytes were read from `position`.
bool ReadAt(const platform::FileHandle& file, std::uint64_t position, void* buffer,
            platform::DWORD size);
std::uint64_t FileSize(const platform::FileHandle& file);

}  // namespace clip
