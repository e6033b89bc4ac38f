// Reads at a position through a platform file handle, and the file's size.
#pragma once

#include <array>
#include <cstdint>

#include "platform/files.h"

namespace clip {

// True only when all `size` bytes were read from `position`.
bool ReadAt(const platform::FileHandle& file, std::uint64_t position, void* buffer,
            platform::DWORD size);
std::uint64_t FileSize(const platform::FileHandle& file);

// Reads of one file through a window of its bytes. Walking a clip's RIFF
// structure reads a dozen small records lying close together; through the
// window they cost one read of the file instead of one each.
class WindowedReads {
 public:
  static constexpr platform::DWORD kWindowBytes = 4096;

  explicit WindowedReads(const platform::FileHandle& file);

  // The file's size when the reads began.
  std::uint64_t file_size() const { return file_size_; }
  // True only when all `size` bytes were read from `position`. Reads as
  // large as the window go straight to the file.
  bool ReadAt(std::uint64_t position, void* buffer, platform::DWORD size);

 private:
  const platform::FileHandle& file_;
  const std::uint64_t file_size_;
  std::array<std::uint8_t, kWindowBytes> window_;
  std::uint64_t window_start_ = 0;
  platform::DWORD window_bytes_ = 0;
};

}  // namespace clip
