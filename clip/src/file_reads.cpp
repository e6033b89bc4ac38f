#include "file_reads.h"

#include <algorithm>
#include <cstring>

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

namespace clip {

WindowedReads::WindowedReads(const platform::FileHandle& file)
    : file_(file), file_size_(FileSize(file)) {}

bool WindowedReads::ReadAt(std::uint64_t position, void* buffer, platform::DWORD size) {
  if (size >= kWindowBytes) return clip::ReadAt(file_, position, buffer, size);
  const bool inside = position >= window_start_ && position - window_start_ <= window_bytes_ &&
                      size <= window_bytes_ - (position - window_start_);
  if (!inside) {
    // A window that would reach past the end holds only what is there.
    if (position >= file_size_ || size > file_size_ - position) return false;
    const auto bytes =
        static_cast<platform::DWORD>(std::min<std::uint64_t>(kWindowBytes, file_size_ - position));
    window_bytes_ = 0;
    // A file cut short since its size was taken may still hold the bytes
    // asked for.
    if (!clip::ReadAt(file_, position, window_.data(), bytes)) {
      return clip::ReadAt(file_, position, buffer, size);
    }
    window_start_ = position;
    window_bytes_ = bytes;
  }
  std::memcpy(buffer, window_.data() + (position - window_start_), size);
  return true;
}

}  // namespace clip
