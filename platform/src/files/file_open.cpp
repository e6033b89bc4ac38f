// Opening and closing files: CreateFile with its dispositions and share
// modes, and the life of a FileHandle.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "files/file_system_core.h"
#include "files/handle_access.h"
#include "platform/files.h"

namespace platform {

using files_internal::Fail;
using files_internal::FileSystemCore;
using files_internal::HandleAccess;
using files_internal::HostInfo;
using files_internal::OpenFile;
using files_internal::PendingEvents;
using files_internal::Resolved;
using files_internal::UniqueFd;

FileHandle::FileHandle() = default;
FileHandle::FileHandle(std::unique_ptr<OpenFile> file) : file_(std::move(file)) {}
FileHandle::FileHandle(FileHandle&& other) noexcept = default;

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    Close();
    file_ = std::move(other.file_);
  }
  return *this;
}

FileHandle::~FileHandle() { Close(); }

void FileHandle::Close() {
  if (!file_) return;
  std::unique_ptr<OpenFile> file = std::move(file_);
  const std::shared_ptr<FileSystemCore> core = file->core.lock();
  if (!core) return;
  PendingEvents events(core->notifier);
  {
    std::lock_guard lock(core->mutex);
    if (core->open_files.Remove(file.get()) && file->modified) {
      events.Add(SHCNE_UPDATEITEM, file->path);
    }
  }
  file.reset();  // Closes the host file before receivers hear of it.
}

FileHandle FileSystem::CreateFile(std::string_view path, DWORD desired_access, DWORD share_mode,
                                  DWORD creation_disposition, DWORD flags_and_attributes) {
  const auto parsed = files_internal::ParseOrFail(path);
  if (!parsed) return {};
  if (creation_disposition < CREATE_NEW || creation_disposition > TRUNCATE_EXISTING ||
      (creation_disposition == TRUNCATE_EXISTING && !(desired_access & GENERIC_WRITE))) {
    Fail(ERROR_INVALID_PARAMETER);
    return {};
  }
  const bool writes = desired_access & GENERIC_WRITE;
  const bool truncates =
      creation_disposition == CREATE_ALWAYS || creation_disposition == TRUNCATE_EXISTING;
  const int host_access = (writes ? O_RDWR : O_RDONLY) | O_CLOEXEC;

  FileSystemCore& core = *core_;
  PendingEvents events(core.notifier);
  std::lock_guard lock(core.mutex);
  const auto fail = [](DWORD error) {
    Fail(error);
    return FileHandle();
  };
  Resolved entry = core.Resolve(*parsed);
  if (entry.state == Resolved::State::kNoParent) return fail(ERROR_PATH_NOT_FOUND);

  UniqueFd fd;
  HostInfo info;
  const FILETIME now = core.Now();
  bool modified = false;
  if (entry.exists()) {
    if (entry.info.is_directory) return fail(ERROR_ACCESS_DENIED);
    if (creation_disposition == CREATE_NEW) return fail(ERROR_FILE_EXISTS);
    const DWORD attributes = core.AttributesOf(entry);
    if ((writes || truncates) && (entry.Protected() || (attributes & FILE_ATTRIBUTE_READONLY))) {
      return fail(ERROR_ACCESS_DENIED);
    }
    if (!core.open_files.SharingAllows(entry.info.device, entry.info.inode, desired_access,
                                       share_mode)) {
      return fail(ERROR_SHARING_VIOLATION);
    }
    fd = UniqueFd(open(entry.host.c_str(), host_access));
    if (!fd) return fail(files_internal::ErrorFromErrno(errno));
    if (truncates && entry.info.size > 0) {
      if (ftruncate(fd.get(), 0) != 0) return fail(files_internal::ErrorFromErrno(errno));
      entry.volume->AddUsed(-static_cast<std::int64_t>(entry.info.size));
      files_internal::SetHostTimes(fd.get(), nullptr, &now);
      modified = true;
    }
    info = entry.info;
  } else {
    if (creation_disposition == OPEN_EXISTING || creation_disposition == TRUNCATE_EXISTING) {
      return fail(ERROR_FILE_NOT_FOUND);
    }
    if (entry.reserved || entry.Protected()) return fail(ERROR_ACCESS_DENIED);
    fd = UniqueFd(open(entry.host.c_str(), host_access | O_CREAT | O_EXCL, 0644));
    if (!fd || !files_internal::StatHost(fd.get(), &info)) {
      return fail(files_internal::ErrorFromErrno(errno));
    }
    files_internal::SetHostTimes(fd.get(), &now, &now);
    core.RecordCreated(*entry.volume, entry.key, info, now,
                       FILE_ATTRIBUTE_ARCHIVE | flags_and_attributes);
    events.Add(SHCNE_CREATE, entry.path);
  }

  auto file = std::make_unique<OpenFile>();
  file->fd = std::move(fd);
  file->core = core_;
  file->volume = entry.volume;
  file->key = entry.key;
  file->path = entry.path;
  file->device = info.device;
  file->inode = info.inode;
  file->access = desired_access;
  file->share = share_mode;
  file->modified = modified;
  core.open_files.Add(file.get());
  const bool found = entry.exists() &&
                     (creation_disposition == CREATE_ALWAYS || creation_disposition == OPEN_ALWAYS);
  SetLastError(found ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return HandleAccess::Make(std::move(file));
}

BOOL FileSystem::CloseFile(FileHandle& file) {
  if (!file) return Fail(ERROR_INVALID_HANDLE);
  file.Close();
  return TRUE;
}

}  // namespace platform
