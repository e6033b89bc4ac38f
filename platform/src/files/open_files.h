// The files open through handles, and the share-mode rules between them.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "files/host_files.h"
#include "platform/types.h"

namespace platform::files_internal {

struct FileSystemCore;
class Volume;

struct OpenFile {
  UniqueFd fd;
  std::weak_ptr<FileSystemCore> core;
  Volume* volume = nullptr;  // Lives as long as the core.
  std::string key;           // metadata key within the volume
  std::string path;          // handheld path as stored
  dev_t device = 0;
  ino_t inode = 0;
  DWORD access = 0;
  DWORD share = 0;

  std::mutex position_mutex;
  std::uint64_t position = 0;  // Guarded by position_mutex.
  // Changed through this handle: raises item-updated when closed.
  std::atomic<bool> modified{false};
  // The storage card it lives on was removed.
  std::atomic<bool> detached{false};
};

// Guarded by the core's mutex.
class OpenFileTable {
 public:
  void Add(OpenFile* file) { files_.push_back(file); }
  // False when the file was not in the table (already detached).
  bool Remove(OpenFile* file);

  // Whether a new handle with this access and share mode may open the file,
  // given the handles already open on it.
  bool SharingAllows(dev_t device, ino_t inode, DWORD access, DWORD share) const;
  bool IsOpen(dev_t device, ino_t inode) const;
  // Whether any open file lies below the folder with this handheld path.
  bool AnyOpenBelow(const std::string& folder_path) const;
  // Marks the files of a volume as detached and forgets them.
  void DetachVolume(const Volume* volume);

 private:
  std::vector<OpenFile*> files_;
};

}  // namespace platform::files_internal
