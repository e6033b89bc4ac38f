#include "file_reads.h"

namespace clip {

using platform::DWORD;
using platform::LONG;

bool ReadAt(const platform::FileHandle& file, std::uint64_t position, void* buffer, DWORD size) {
  LONG high = static_cast<LONG>(position >> 32);
  const DWORD low = platform::SetFilePointer(file, static_cast<LONG>(position & 0xFFFFFFFFu), &high,
                                             platform::FILE_BEGIN);
  if (low == platform::INVALID_SET_FILE_POINTER &&
      platform::GetLastError() != platform::ERROR_SUCCESS) {
    return false;
  }
  DWORD read = 0;
  return platform::ReadFile(file, buffer, size, &read) && read == size;
}

std::uint64_t FileSize(const platform::FileHandle& file) {
  DWORD high = 0;
  const DWORD low = platform::GetFileSize(file, &high);
  if (low == platform::INVALID_FILE_SIZE && platform::GetLastError() != platform::ERROR_SUCCESS) {
    return 0;
  }
  return (std::uint64_t{high} << 32) | low;
}

}  // namespace clip
