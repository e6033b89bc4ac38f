// Reading, writing and positioning through an open handle, its size, its end
// and its times. Writes are counted against the volume's size.
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "files/file_system_core.h"
#include "files/handle_access.h"
#include "platform/files.h"

namespace platform {

using files_internal::ErrorFromErrno;
using files_internal::Fail;
using files_internal::FileSystemCore;
using files_internal::HostInfo;
using files_internal::OpenFile;
using files_internal::StatHost;

namespace {

// The open file behind a handle when it may be used with the access asked
// for; otherwise null with the last error set.
OpenFile* Usable(const FileHandle& handle, DWORD needed_access) {
  OpenFile* file = files_internal::HandleAccess::Get(handle);
  if (!file || file->detached || file->core.expired()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if ((file->access & needed_access) != needed_access) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return file;
}

// Operations that change the file's size hold the core's lock, so that the
// room left on the volume cannot change under them.
struct LockedFile {
  std::shared_ptr<FileSystemCore> core;
  std::unique_lock<std::mutex> lock;
};

std::optional<LockedFile> Lock(OpenFile& file) {
  LockedFile locked{file.core.lock(), {}};
  if (!locked.core) {
    Fail(ERROR_INVALID_HANDLE);
    return std::nullopt;
  }
  locked.lock = std::unique_lock(locked.core->mutex);
  if (file.detached) {  // The card went away while we waited.
    Fail(ERROR_INVALID_HANDLE);
    return std::nullopt;
  }
  return locked;
}

void StampWrite(FileSystemCore& core, OpenFile& file) {
  const FILETIME now = core.Now();
  files_internal::SetHostTimes(file.fd.get(), nullptr, &now);
  file.modified = true;
}

}  // namespace

BOOL FileSystem::ReadFile(const FileHandle& handle, void* buffer, DWORD bytes_to_read,
                          DWORD* bytes_read) {
  if (bytes_read) *bytes_read = 0;
  OpenFile* file = Usable(handle, GENERIC_READ);
  if (!file) return FALSE;
  if (!buffer && bytes_to_read > 0) return Fail(ERROR_INVALID_PARAMETER);
  std::lock_guard position_lock(file->position_mutex);
  auto* bytes = static_cast<char*>(buffer);
  DWORD done = 0;
  while (done < bytes_to_read) {
    const ssize_t got = pread(file->fd.get(), bytes + done, bytes_to_read - done,
                              static_cast<off_t>(file->position + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Fail(ErrorFromErrno(errno));
    if (got == 0) break;  // End of file: success with fewer bytes.
    done += static_cast<DWORD>(got);
  }
  file->position += done;
  if (bytes_read) *bytes_read = done;
  return TRUE;
}

BOOL FileSystem::WriteFile(const FileHandle& handle, const void* buffer, DWORD bytes_to_write,
                           DWORD* bytes_written) {
  if (bytes_written) *bytes_written = 0;
  OpenFile* file = Usable(handle, GENERIC_WRITE);
  if (!file) return FALSE;
  if (!buffer && bytes_to_write > 0) return Fail(ERROR_INVALID_PARAMETER);
  auto locked = Lock(*file);
  if (!locked) return FALSE;
  std::lock_guard position_lock(file->position_mutex);
  if (bytes_to_write == 0) return TRUE;

  HostInfo before;
  if (!StatHost(file->fd.get(), &before)) return Fail(ErrorFromErrno(errno));
  const std::uint64_t start = file->position;
  std::uint64_t to_write = bytes_to_write;
  if (start + bytes_to_write > before.size) {
    // Store what fits within the volume's size.
    const std::uint64_t room = file->volume->RoomLeft();
    const std::uint64_t growth = start + bytes_to_write - before.size;
    if (growth > room) {
      const std::uint64_t limit = before.size + room;
      to_write = limit > start ? limit - start : 0;
    }
  }
  const auto* bytes = static_cast<const char*>(buffer);
  std::uint64_t done = 0;
  int host_error = 0;
  while (done < to_write) {
    const ssize_t put =
        pwrite(file->fd.get(), bytes + done, to_write - done, static_cast<off_t>(start + done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      host_error = put < 0 ? errno : ENOSPC;
      break;
    }
    done += static_cast<std::uint64_t>(put);
  }
  if (done > 0) {
    const std::uint64_t size = std::max(before.size, start + done);
    file->volume->AddUsed(static_cast<std::int64_t>(size - before.size));
    file->position += done;
    StampWrite(*locked->core, *file);
  }
  if (bytes_written) *bytes_written = static_cast<DWORD>(done);
  if (done < bytes_to_write) {
    return Fail(host_error != 0 ? ErrorFromErrno(host_error) : ERROR_DISK_FULL);
  }
  return TRUE;
}

DWORD FileSystem::SetFilePointer(const FileHandle& handle, LONG distance, LONG* distance_high,
                                 DWORD move_method) {
  OpenFile* file = Usable(handle, 0);
  if (!file) return INVALID_SET_FILE_POINTER;
  const auto fail = [](DWORD error) {
    Fail(error);
    return INVALID_SET_FILE_POINTER;
  };
  std::int64_t move = distance;
  if (distance_high) {
    move = static_cast<std::int64_t>((std::uint64_t(std::uint32_t(*distance_high)) << 32) |
                                     std::uint32_t(distance));
  }
  std::lock_guard position_lock(file->position_mutex);
  std::int64_t base;
  switch (move_method) {
    case FILE_BEGIN:
      base = 0;
      break;
    case FILE_CURRENT:
      base = static_cast<std::int64_t>(file->position);
      break;
    case FILE_END: {
      HostInfo info;
      if (!StatHost(file->fd.get(), &info)) return fail(ErrorFromErrno(errno));
      base = static_cast<std::int64_t>(info.size);
      break;
    }
    default:
      return fail(ERROR_INVALID_PARAMETER);
  }
  const std::int64_t target = base + move;
  // Before the start, or past what a 32-bit result can tell.
  if (target < 0 || (!distance_high && target >= std::int64_t{INVALID_SET_FILE_POINTER})) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  file->position = static_cast<std::uint64_t>(target);
  if (distance_high) *distance_high = static_cast<LONG>(target >> 32);
  // A low part of 0xFFFFFFFF is a valid result; callers tell by the error.
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(target);
}

DWORD FileSystem::GetFileSize(const FileHandle& handle, DWORD* size_high) {
  OpenFile* file = Usable(handle, 0);
  if (!file) return INVALID_FILE_SIZE;
  HostInfo info;
  if (!StatHost(file->fd.get(), &info)) {
    Fail(ErrorFromErrno(errno));
    return INVALID_FILE_SIZE;
  }
  if (size_high) *size_high = static_cast<DWORD>(info.size >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(info.size);
}

BOOL FileSystem::SetEndOfFile(const FileHandle& handle) {
  OpenFile* file = Usable(handle, GENERIC_WRITE);
  if (!file) return FALSE;
  auto locked = Lock(*file);
  if (!locked) return FALSE;
  std::lock_guard position_lock(file->position_mutex);
  HostInfo before;
  if (!StatHost(file->fd.get(), &before)) return Fail(ErrorFromErrno(errno));
  const std::uint64_t end = file->position;
  if (end > before.size && end - before.size > file->volume->RoomLeft()) {
    return Fail(ERROR_DISK_FULL);
  }
  if (ftruncate(file->fd.get(), static_cast<off_t>(end)) != 0) return Fail(ErrorFromErrno(errno));
  file->volume->AddUsed(static_cast<std::int64_t>(end) - static_cast<std::int64_t>(before.size));
  StampWrite(*locked->core, *file);
  return TRUE;
}

BOOL FileSystem::FlushFileBuffers(const FileHandle& handle) {
  OpenFile* file = Usable(handle, GENERIC_WRITE);
  if (!file) return FALSE;
  if (fdatasync(file->fd.get()) != 0) return Fail(ErrorFromErrno(errno));
  return TRUE;
}

BOOL FileSystem::GetFileTime(const FileHandle& handle, FILETIME* creation, FILETIME* last_access,
                             FILETIME* last_write) {
  OpenFile* file = Usable(handle, 0);
  if (!file) return FALSE;
  auto locked = Lock(*file);
  if (!locked) return FALSE;
  HostInfo info;
  if (!StatHost(file->fd.get(), &info)) return Fail(ErrorFromErrno(errno));
  if (creation) *creation = locked->core->MetadataOf(*file->volume, file->key, info).creation;
  if (last_access) *last_access = info.last_access;
  if (last_write) *last_write = info.last_write;
  return TRUE;
}

BOOL FileSystem::SetFileTime(const FileHandle& handle, const FILETIME* creation,
                             const FILETIME* last_access, const FILETIME* last_write) {
  OpenFile* file = Usable(handle, GENERIC_WRITE);
  if (!file) return FALSE;
  auto locked = Lock(*file);
  if (!locked) return FALSE;
  HostInfo info;
  if (!StatHost(file->fd.get(), &info)) return Fail(ErrorFromErrno(errno));
  if ((last_access || last_write) &&
      !files_internal::SetHostTimes(file->fd.get(), last_access, last_write)) {
    return Fail(ErrorFromErrno(errno));
  }
  if (creation) {
    auto stored = locked->core->MetadataOf(*file->volume, file->key, info);
    stored.creation = *creation;
    file->volume->metadata().Put(file->key, stored);
  }
  file->modified = true;
  return TRUE;
}

}  // namespace platform
