// The storage card: a removable volume mounted at "\Storage Card".
#include <system_error>

#include "files/file_system_core.h"
#include "platform/files.h"

namespace platform {

using files_internal::FileSystemCore;
using files_internal::PendingEvents;

bool FileSystem::InsertStorageCard(std::optional<std::uint64_t> size_bytes) {
  FileSystemCore& core = *core_;
  PendingEvents events(core.notifier);
  std::lock_guard lock(core.mutex);
  if (core.card_inserted) return false;
  std::error_code error;
  std::filesystem::create_directories(core.card.host_root(), error);
  if (error) return false;
  core.card.set_size_cap(size_bytes.value_or(0));
  // The card may have been written elsewhere while it was out.
  core.card.ForgetUsed();
  core.card.metadata().Load();
  core.card_inserted = true;
  events.Add(SHCNE_DRIVEADD, std::string(kStorageCardPath));
  return true;
}

bool FileSystem::RemoveStorageCard() {
  FileSystemCore& core = *core_;
  PendingEvents events(core.notifier);
  std::lock_guard lock(core.mutex);
  if (!core.card_inserted) return false;
  core.open_files.DetachVolume(&core.card);
  core.card.metadata().Save();
  core.card_inserted = false;
  events.Add(SHCNE_DRIVEREMOVED, std::string(kStorageCardPath));
  return true;
}

bool FileSystem::StorageCardInserted() const {
  std::lock_guard lock(core_->mutex);
  return core_->card_inserted;
}

}  // namespace platform
