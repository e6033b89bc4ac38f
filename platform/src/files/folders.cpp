// Creating and removing folders, and the attributes of files and folders.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/file_system_core.h"
#include "platform/files.h"

namespace platform {

using files_internal::ErrorFromErrno;
using files_internal::Fail;
using files_internal::FileSystemCore;
using files_internal::HostInfo;
using files_internal::PendingEvents;
using files_internal::Resolved;

BOOL FileSystem::CreateDirectory(std::string_view path) {
  const auto parsed = files_internal::ParseOrFail(path);
  if (!parsed) return FALSE;
  FileSystemCore& core = *core_;
  PendingEvents events(core.notifier);
  std::lock_guard lock(core.mutex);
  const Resolved entry = core.Resolve(*parsed);
  if (entry.state == Resolved::State::kNoParent) return Fail(ERROR_PATH_NOT_FOUND);
  if (entry.exists()) return Fail(ERROR_ALREADY_EXISTS);
  if (entry.reserved || entry.Protected()) return Fail(ERROR_ACCESS_DENIED);
  HostInfo info;
  if (mkdir(entry.host.c_str(), 0755) != 0 || !files_internal::StatHost(entry.host, &info)) {
    return Fail(ErrorFromErrno(errno));
  }
  const FILETIME now = core.Now();
  files_internal::SetHostTimes(entry.host, &now, &now);
  core.RecordCreated(*entry.volume, entry.key, info, now, 0);
  events.Add(SHCNE_MKDIR, entry.path);
  return TRUE;
}

BOOL FileSystem::RemoveDirectory(std::string_view path) {
  const auto parsed = files_internal::ParseOrFail(path);
  if (!parsed) return FALSE;
  FileSystemCore& core = *core_;
  PendingEvents events(core.notifier);
  std::lock_guard lock(core.mutex);
  const Resolved entry = core.Resolve(*parsed);
  if (!entry.exists()) return Fail(entry.MissingError());
  if (!entry.info.is_directory) return Fail(ERROR_DIRECTORY);
  if (entry.volume_root || entry.Protected() ||
      (core.AttributesOf(entry) & FILE_ATTRIBUTE_READONLY)) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  if (rmdir(entry.host.c_str()) != 0) {
    return Fail(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ErrorFromErrno(errno));
  }
  entry.volume->metadata().Erase(entry.key);
  events.Add(SHCNE_RMDIR, entry.path);
  return TRUE;
}

DWORD FileSystem::GetFileAttributes(std::string_view path) {
  const auto parsed = files_internal::ParseOrFail(path);
  if (!parsed) return INVALID_FILE_ATTRIBUTES;
  FileSystemCore& core = *core_;
  std::lock_guard lock(core.mutex);
  const Resolved entry = core.Resolve(*parsed);
  if (!entry.exists()) {
    Fail(entry.MissingError());
    return INVALID_FILE_ATTRIBUTES;
  }
  return core.AttributesOf(entry);
}

BOOL FileSystem::SetFileAttributes(std::string_view path, DWORD attributes) {
  const auto parsed = files_internal::ParseOrFail(path);
  if (!parsed) return FALSE;
  FileSystemCore& core = *core_;
  PendingEvents events(core.notifier);
  std::lock_guard lock(core.mutex);
  const Resolved entry = core.Resolve(*parsed);
  if (!entry.exists()) return Fail(entry.MissingError());
  if (entry.volume_root || entry.Protected()) return Fail(ERROR_ACCESS_DENIED);
  auto stored = core.MetadataOf(*entry.volume, entry.key, entry.info);
  stored.attributes = attributes & files_internal::kStoredAttributes;
  entry.volume->metadata().Put(entry.key, stored);
  events.Add(SHCNE_ATTRIBUTES, entry.path);
  return TRUE;
}

}  // namespace platform
