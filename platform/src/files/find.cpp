// Find-first/next: the entries of one folder whose names match a pattern.
#include <algorithm>

#include "files/file_system_core.h"
#include "platform/files.h"

namespace platform {

using files_internal::Fail;
using files_internal::FileSystemCore;
using files_internal::Resolved;

namespace {

WIN32_FIND_DATA FindDataOf(FileSystemCore& core, const Resolved& entry, std::string name) {
  WIN32_FIND_DATA data;
  data.dwFileAttributes = core.AttributesOf(entry);
  data.ftCreationTime = core.MetadataOf(*entry.volume, entry.key, entry.info).creation;
  data.ftLastAccessTime = entry.info.last_access;
  data.ftLastWriteTime = entry.info.last_write;
  data.nFileSizeHigh = static_cast<DWORD>(entry.info.size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(entry.info.size);
  data.cFileName = std::move(name);
  return data;
}

}  // namespace

FindHandle FileSystem::FindFirstFile(std::string_view pattern, WIN32_FIND_DATA* data) {
  const auto fail = [](DWORD error) {
    Fail(error);
    return FindHandle();
  };
  const auto parsed = files_internal::ParseOrFail(pattern, HandheldPath::Use::kFindPattern);
  if (!parsed) return {};
  if (!data) return fail(ERROR_INVALID_PARAMETER);
  // "\" or "\folder\" name no entry to look for.
  if (parsed->IsRoot() || parsed->trailing_separator()) return fail(ERROR_FILE_NOT_FOUND);
  const std::string_view name_pattern = parsed->Name();
  const HandheldPath folder_path = parsed->Parent();

  FileSystemCore& core = *core_;
  FindHandle find;
  {
    std::lock_guard lock(core.mutex);
    const Resolved folder = core.Resolve(folder_path);
    if (!folder.exists() || !folder.info.is_directory) return fail(ERROR_PATH_NOT_FOUND);
    const bool store_root = folder.volume_root && folder.volume == &core.store;
    std::vector<std::string> names = files_internal::ListHostNames(folder.host);
    const std::string card_name(kStorageCardPath.substr(1));
    if (store_root) {
      // The card's folder shows while a card is in, whatever the host has.
      std::erase_if(names,
                    [&](const std::string& name) { return EqualsIgnoreCase(name, card_name); });
      if (core.card_inserted) names.push_back(card_name);
    }
    for (std::string& name : names) {
      if (!MatchesPattern(name, name_pattern)) continue;
      const bool card = store_root && core.card_inserted && name == card_name;
      const Resolved entry =
          card ? core.Resolve(folder_path.Child(name)) : core.Child(folder, name);
      if (entry.exists()) find.entries_.push_back(FindDataOf(core, entry, std::move(name)));
    }
  }
  if (find.entries_.empty()) {
    return fail(HasWildcards(name_pattern) ? ERROR_NO_MORE_FILES : ERROR_FILE_NOT_FOUND);
  }
  std::stable_sort(find.entries_.begin(), find.entries_.end(),
                   [](const WIN32_FIND_DATA& a, const WIN32_FIND_DATA& b) {
                     return FoldCase(a.cFileName) < FoldCase(b.cFileName);
                   });
  find.open_ = true;
  *data = find.entries_[find.next_++];
  return find;
}

BOOL FileSystem::FindNextFile(FindHandle& find, WIN32_FIND_DATA* data) {
  if (!find) return Fail(ERROR_INVALID_HANDLE);
  if (!data) return Fail(ERROR_INVALID_PARAMETER);
  if (find.next_ >= find.entries_.size()) return Fail(ERROR_NO_MORE_FILES);
  *data = find.entries_[find.next_++];
  return TRUE;
}

BOOL FileSystem::FindClose(FindHandle& find) {
  if (!find) return Fail(ERROR_INVALID_HANDLE);
  find = FindHandle();
  return TRUE;
}

}  // namespace platform
