// Thin wrappers over the host's file calls: descriptors, status with birth
// time, time stamps, free space, case-insensitive name lookup, and the
// mapping of host errors to the handheld's error numbers.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform::files_internal {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  ~UniqueFd();
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  int Release();

 private:
  int fd_ = -1;
};

struct HostInfo {
  bool is_directory = false;
  std::uint64_t size = 0;
  dev_t device = 0;
  ino_t inode = 0;
  FILETIME last_access;
  FILETIME last_write;
  // The host's birth time where the host file system keeps one.
  std::optional<FILETIME> birth;
};

// Follows symbolic links. False when the entry does not exist.
bool StatHost(const std::filesystem::path& path, HostInfo* info);
bool StatHost(int fd, HostInfo* info);

// Sets the access and write times (either may be absent).
bool SetHostTimes(int fd, const FILETIME* last_access, const FILETIME* last_write);
bool SetHostTimes(const std::filesystem::path& path, const FILETIME* last_access,
                  const FILETIME* last_write);

struct HostSpace {
  std::uint64_t free_to_caller = 0;
  std::uint64_t total = 0;
  std::uint64_t total_free = 0;
};
bool QueryHostSpace(const std::filesystem::path& path, HostSpace* space);

// The names of a host folder that are valid handheld names, sorted.
std::vector<std::string> ListHostNames(const std::filesystem::path& folder);

// The name in `folder` that equals `name` without regard to case; an exact
// match wins, else the first in sorted order. With `info`, the entry found is
// described there, so that the caller need not look it up a second time.
std::optional<std::string> FindHostName(const std::filesystem::path& folder, std::string_view name,
                                        HostInfo* info = nullptr);

// Copies the whole contents of one open host file to another; 0 or errno.
int CopyHostData(int from_fd, int to_fd);

// Sum of the sizes of the files below a host folder.
std::uint64_t SumFileSizes(const std::filesystem::path& folder);

// The handheld's error number for a host errno.
DWORD ErrorFromErrno(int error);

}  // namespace platform::files_internal
