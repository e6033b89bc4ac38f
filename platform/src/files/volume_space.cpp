// Free space of the volumes and their simulated sizes.
#include <cerrno>

#include "files/file_system_core.h"
#include "platform/files.h"

namespace platform {

using files_internal::Fail;
using files_internal::FileSystemCore;
using files_internal::Resolved;
using files_internal::Volume;

namespace {

// The volume a path lies on, whether or not the path exists.
Volume* VolumeOf(FileSystemCore& core, std::string_view path) {
  DWORD error;
  const auto parsed = HandheldPath::Parse(path, &error);
  if (!parsed) return nullptr;
  const bool card =
      !parsed->IsRoot() && EqualsIgnoreCase(parsed->components()[0], kStorageCardPath.substr(1));
  return card ? &core.card : &core.store;
}

}  // namespace

BOOL FileSystem::GetDiskFreeSpaceEx(std::string_view path, std::uint64_t* free_bytes_to_caller,
                                    std::uint64_t* total_bytes, std::uint64_t* total_free_bytes) {
  std::optional<HandheldPath> parsed;
  if (!path.empty()) {
    parsed = files_internal::ParseOrFail(path);
    if (!parsed) return FALSE;
  }
  FileSystemCore& core = *core_;
  files_internal::HostSpace space;
  {
    std::lock_guard lock(core.mutex);
    Volume* volume = &core.store;
    if (parsed) {
      const Resolved entry = core.Resolve(*parsed);
      if (!entry.exists()) return Fail(ERROR_PATH_NOT_FOUND);
      volume = entry.volume;
    }
    if (!volume->QuerySpace(&space)) return Fail(files_internal::ErrorFromErrno(errno));
  }
  if (free_bytes_to_caller) *free_bytes_to_caller = space.free_to_caller;
  if (total_bytes) *total_bytes = space.total;
  if (total_free_bytes) *total_free_bytes = space.total_free;
  return TRUE;
}

bool FileSystem::SetVolumeSize(std::string_view path, std::uint64_t size_bytes) {
  std::lock_guard lock(core_->mutex);
  Volume* volume = VolumeOf(*core_, path);
  if (!volume) return false;
  volume->set_size_cap(size_bytes);
  return true;
}

std::optional<std::uint64_t> FileSystem::VolumeUsedBytes(std::string_view path) {
  std::lock_guard lock(core_->mutex);
  Volume* volume = VolumeOf(*core_, path);
  if (!volume) return std::nullopt;
  return volume->UsedBytes();
}

}  // namespace platform
