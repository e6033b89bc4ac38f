#include "files/open_files.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/paths.h"

namespace platform::files_internal {

bool OpenFileTable::Remove(OpenFile* file) { return std::erase(files_, file) > 0; }

bool OpenFileTable::SharingAllows(dev_t device, ino_t inode, DWORD access, DWORD share) const {
  const auto conflicts = [](DWORD access, DWORD other_share) {
    return ((access & GENERIC_READ) && !(other_share & FILE_SHARE_READ)) ||
           ((access & GENERIC_WRITE) && !(other_share & FILE_SHARE_WRITE));
  };
  return std::none_of(files_.begin(), files_.end(), [&](const OpenFile* open) {
    return open->device == device && open->inode == inode &&
           (conflicts(access, open->share) || conflicts(open->access, share));
  });
}

bool OpenFileTable::IsOpen(dev_t device, ino_t inode) const {
  return std::any_of(files_.begin(), files_.end(), [&](const OpenFile* open) {
    return open->device == device && open->inode == inode;
  });
}

bool OpenFileTable::AnyOpenBelow(const std::string& folder_path) const {
  const std::string prefix = FoldCase(folder_path) + kPathSeparator;
  return std::any_of(files_.begin(), files_.end(), [&](const OpenFile* open) {
    return FoldCase(open->path).starts_with(prefix);
  });
}

void OpenFileTable::DetachVolume(const Volume* volume) {
  std::erase_if(files_, [&](OpenFile* open) {
    if (open->volume != volume) return false;
    open->detached = true;
    return true;
  });
}

}  // namespace platform::files_internal
