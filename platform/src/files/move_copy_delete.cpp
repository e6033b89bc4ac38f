// Deleting, moving (renaming) and copying files and folders by name.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "files/file_system_core.h"
#include "platform/files.h"

namespace platform {

using files_internal::ErrorFromErrno;
using files_internal::Fail;
using files_internal::FileSystemCore;
using files_internal::HostInfo;
using files_internal::PendingEvents;
using files_internal::Resolved;
using files_internal::UniqueFd;

namespace {

std::string ReplaceLastName(const std::string& text, char separator, std::string_view name) {
  const std::size_t cut = text.rfind(separator);
  return (cut == std::string::npos ? std::string() : text.substr(0, cut + 1)) + std::string(name);
}

// Copies a file's contents to `target` (created, or truncated when it
// exists), counting the bytes on the target's volume. ERROR_SUCCESS or the
// error; a new target is removed again on failure.
DWORD CopyContents(const Resolved& source, const Resolved& target, const FILETIME& last_access,
                   HostInfo* copied) {
  const std::uint64_t old_size = target.exists() ? target.info.size : 0;
  if (source.info.size > old_size && source.info.size - old_size > target.volume->RoomLeft()) {
    return ERROR_DISK_FULL;
  }
  const UniqueFd from(open(source.host.c_str(), O_RDONLY | O_CLOEXEC));
  if (!from) return ErrorFromErrno(errno);
  const int mode = O_WRONLY | O_CLOEXEC | O_CREAT | (target.exists() ? O_TRUNC : O_EXCL);
  const UniqueFd to(open(target.host.c_str(), mode, 0644));
  if (!to) return ErrorFromErrno(errno);
  int error = files_internal::CopyHostData(from.get(), to.get());
  if (error == 0 && !files_internal::StatHost(to.get(), copied)) error = errno;
  if (error != 0) {
    if (!target.exists()) unlink(target.host.c_str());
    target.volume->ForgetUsed();
    return ErrorFromErrno(error);
  }
  target.volume->AddUsed(static_cast<std::int64_t>(copied->size) -
                         static_cast<std::int64_t>(old_size));
  files_internal::SetHostTimes(to.get(), &last_access, &source.info.last_write);
  return ERROR_SUCCESS;
}

}  // namespace

BOOL FileSystem::DeleteFile(std::string_view path) {
  const auto parsed = files_internal::ParseOrFail(path);
  if (!parsed) return FALSE;
  FileSystemCore& core = *core_;
  PendingEvents events(core.notifier);
  std::lock_guard lock(core.mutex);
  const Resolved entry = core.Resolve(*parsed);
  if (!entry.exists()) return Fail(entry.MissingError());
  if (entry.info.is_directory || entry.Protected() ||
      (core.AttributesOf(entry) & FILE_ATTRIBUTE_READONLY)) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  if (core.open_files.IsOpen(entry.info.device, entry.info.inode)) {
    return Fail(ERROR_SHARING_VIOLATION);
  }
  if (unlink(entry.host.c_str()) != 0) return Fail(ErrorFromErrno(errno));
  entry.volume->AddUsed(-static_cast<std::int64_t>(entry.info.size));
  entry.volume->metadata().Erase(entry.key);
  events.Add(SHCNE_DELETE, entry.path);
  return TRUE;
}

BOOL FileSystem::MoveFile(std::string_view existing_path, std::string_view new_path) {
  const auto from = files_internal::ParseOrFail(existing_path);
  if (!from) return FALSE;
  const auto to = files_internal::ParseOrFail(new_path);
  if (!to) return FALSE;
  FileSystemCore& core = *core_;
  PendingEvents events(core.notifier);
  std::lock_guard lock(core.mutex);
  const Resolved source = core.Resolve(*from);
  if (!source.exists()) return Fail(source.MissingError());
  if (source.volume_root) return Fail(ERROR_ACCESS_DENIED);
  Resolved target = core.Resolve(*to);
  if (target.state == Resolved::State::kNoParent) return Fail(ERROR_PATH_NOT_FOUND);
  if (target.reserved) return Fail(ERROR_ACCESS_DENIED);
  // The same entry under another spelling: a change of case.
  const bool same_entry = target.exists() && target.info.device == source.info.device &&
                          target.info.inode == source.info.inode;
  if (target.exists() && !same_entry) return Fail(ERROR_ALREADY_EXISTS);
  if (source.Protected() || target.Protected()) return Fail(ERROR_ACCESS_DENIED);
  if (same_entry) {
    if (source.host.filename() == to->Name()) return TRUE;  // Nothing changes.
    target.host = source.host.parent_path() / to->Name();
    target.key = ReplaceLastName(source.key, '/', to->Name());
    target.path = ReplaceLastName(source.path, kPathSeparator, to->Name());
  }

  const bool folder = source.info.is_directory;
  if (folder) {
    if (target.volume != source.volume) return Fail(ERROR_NOT_SAME_DEVICE);
    if (StartsWithIgnoreCase(target.path, source.path + kPathSeparator) ||
        core.open_files.AnyOpenBelow(source.path)) {
      return Fail(ERROR_ACCESS_DENIED);
    }
  } else if (core.open_files.IsOpen(source.info.device, source.info.inode)) {
    return Fail(ERROR_SHARING_VIOLATION);
  }

  if (target.volume == source.volume) {
    if (std::rename(source.host.c_str(), target.host.c_str()) != 0) {
      return Fail(ErrorFromErrno(errno));
    }
    source.volume->metadata().Move(source.key, target.key);
  } else {
    // A file changes volume by copy and delete, keeping its times and
    // attributes.
    const auto stored = core.MetadataOf(*source.volume, source.key, source.info);
    HostInfo copied;
    const DWORD error = CopyContents(source, target, source.info.last_access, &copied);
    if (error != ERROR_SUCCESS) return Fail(error);
    target.volume->metadata().Put(target.key, {copied.inode, stored.creation, stored.attributes});
    if (unlink(source.host.c_str()) == 0) {
      source.volume->AddUsed(-static_cast<std::int64_t>(source.info.size));
      source.volume->metadata().Erase(source.key);
    }
  }
  events.Add(folder ? SHCNE_RENAMEFOLDER : SHCNE_RENAMEITEM, target.path, source.path);
  return TRUE;
}

BOOL FileSystem::CopyFile(std::string_view existing_path, std::string_view new_path,
                          BOOL fail_if_exists) {
  const auto from = files_internal::ParseOrFail(existing_path);
  if (!from) return FALSE;
  const auto to = files_internal::ParseOrFail(new_path);
  if (!to) return FALSE;
  FileSystemCore& core = *core_;
  PendingEvents events(core.notifier);
  std::lock_guard lock(core.mutex);
  const Resolved source = core.Resolve(*from);
  if (!source.exists()) return Fail(source.MissingError());
  if (source.info.is_directory) return Fail(ERROR_ACCESS_DENIED);
  // The copy reads the source the way CreateFile with read access and read
  // sharing would.
  if (!core.open_files.SharingAllows(source.info.device, source.info.inode, GENERIC_READ,
                                     FILE_SHARE_READ)) {
    return Fail(ERROR_SHARING_VIOLATION);
  }
  const Resolved target = core.Resolve(*to);
  if (target.state == Resolved::State::kNoParent) return Fail(ERROR_PATH_NOT_FOUND);
  if (target.reserved) return Fail(ERROR_ACCESS_DENIED);
  const FILETIME now = core.Now();
  FILETIME creation = now;
  if (target.exists()) {
    if (target.info.device == source.info.device && target.info.inode == source.info.inode) {
      return Fail(ERROR_SHARING_VIOLATION);  // onto itself
    }
    if (fail_if_exists) return Fail(ERROR_FILE_EXISTS);
    if (target.info.is_directory || target.Protected() ||
        (core.AttributesOf(target) & FILE_ATTRIBUTE_READONLY)) {
      return Fail(ERROR_ACCESS_DENIED);
    }
    if (core.open_files.IsOpen(target.info.device, target.info.inode)) {
      return Fail(ERROR_SHARING_VIOLATION);
    }
    creation = core.MetadataOf(*target.volume, target.key, target.info).creation;
  } else if (target.Protected()) {
    return Fail(ERROR_ACCESS_DENIED);
  }

  const DWORD attributes =
      core.MetadataOf(*source.volume, source.key, source.info).attributes | FILE_ATTRIBUTE_ARCHIVE;
  HostInfo copied;
  const DWORD error = CopyContents(source, target, now, &copied);
  if (error != ERROR_SUCCESS) return Fail(error);
  core.RecordCreated(*target.volume, target.key, copied, creation, attributes);
  events.Add(target.exists() ? SHCNE_UPDATEITEM : SHCNE_CREATE, target.path);
  return TRUE;
}

}  // namespace platform
