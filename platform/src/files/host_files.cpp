#include "files/host_files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>

#include "files/name_rules.h"
#include "platform/last_error.h"
#include "platform/paths.h"
#include "platform/time.h"

namespace platform::files_internal {
namespace {

FILETIME FromTimestamp(const struct statx_timestamp& t) {
  return FileTimeFromUnixNanoseconds(std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec);
}

timespec ToTimespec(const FILETIME* time) {
  if (!time) return {0, UTIME_OMIT};
  const std::int64_t ns = UnixNanosecondsFromFileTime(*time);
  std::int64_t seconds = ns / 1'000'000'000;
  std::int64_t rest = ns % 1'000'000'000;
  if (rest < 0) rest += 1'000'000'000, --seconds;
  return {static_cast<time_t>(seconds), static_cast<long>(rest)};
}

bool StatxAt(int dirfd, const char* path, int flags, HostInfo* info) {
  struct statx st;
  if (statx(dirfd, path, flags, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) return false;
  info->is_directory = S_ISDIR(st.stx_mode);
  info->size = info->is_directory ? 0 : st.stx_size;
  info->device = makedev(st.stx_dev_major, st.stx_dev_minor);
  info->inode = st.stx_ino;
  info->last_access = FromTimestamp(st.stx_atime);
  info->last_write = FromTimestamp(st.stx_mtime);
  info->birth.reset();
  if (st.stx_mask & STATX_BTIME) info->birth = FromTimestamp(st.stx_btime);
  return true;
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = other.Release();
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) close(fd_);
}

int UniqueFd::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

bool StatHost(const std::filesystem::path& path, HostInfo* info) {
  return StatxAt(AT_FDCWD, path.c_str(), 0, info);
}

bool StatHost(int fd, HostInfo* info) { return StatxAt(fd, "", AT_EMPTY_PATH, info); }

bool SetHostTimes(int fd, const FILETIME* last_access, const FILETIME* last_write) {
  const timespec times[2] = {ToTimespec(last_access), ToTimespec(last_write)};
  return futimens(fd, times) == 0;
}

bool SetHostTimes(const std::filesystem::path& path, const FILETIME* last_access,
                  const FILETIME* last_write) {
  const timespec times[2] = {ToTimespec(last_access), ToTimespec(last_write)};
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

bool QueryHostSpace(const std::filesystem::path& path, HostSpace* space) {
  struct statvfs st;
  if (statvfs(path.c_str(), &st) != 0) return false;
  space->free_to_caller = std::uint64_t{st.f_bavail} * st.f_frsize;
  space->total = std::uint64_t{st.f_blocks} * st.f_frsize;
  space->total_free = std::uint64_t{st.f_bfree} * st.f_frsize;
  return true;
}

std::vector<std::string> ListHostNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::string name = it->path().filename().string();
    // Host files whose names the handheld cannot spell stay invisible.
    if (CheckName(name, false) == ERROR_SUCCESS) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> FindHostName(const std::filesystem::path& folder, std::string_view name,
                                        HostInfo* info) {
  HostInfo exact;
  if (StatHost(folder / name, info ? info : &exact)) return std::string(name);
  for (std::string& candidate : ListHostNames(folder)) {
    if (!EqualsIgnoreCase(candidate, name)) continue;
    // An entry that went between the listing and now is not found.
    if (info && !StatHost(folder / candidate, info)) continue;
    return std::move(candidate);
  }
  return std::nullopt;
}

int CopyHostData(int from_fd, int to_fd) {
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t got = read(from_fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = write(to_fd, buffer.data() + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return errno;
      done += put;
    }
  }
}

std::uint64_t SumFileSizes(const std::filesystem::path& folder) {
  std::uint64_t total = 0;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code size_error;
    if (it->is_regular_file(size_error)) {
      const auto size = it->file_size(size_error);
      if (!size_error) total += size;
    }
  }
  return total;
}

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EEXIST:
      return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return ERROR_DISK_FULL;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV:
      return ERROR_NOT_SAME_DEVICE;
    case EIO:
      return ERROR_NOT_READY;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

}  // namespace platform::files_internal
