#include "files/file_system_core.h"

#include <chrono>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/time.h"

namespace platform::files_internal {
namespace {

constexpr std::string_view kStorageCardName = kStorageCardPath.substr(1);
constexpr std::string_view kRomFolderName = "Windows";

}  // namespace

DWORD Resolved::MissingError() const {
  return state == State::kMissing ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

bool Resolved::Protected() const { return in_rom && !InstallerAccess::Active(); }

PendingEvents::~PendingEvents() {
  for (const ChangeEvent& event : events_) notifier_.Notify(event);
}

void PendingEvents::Add(LONG kind, std::string path, std::string old_path) {
  events_.push_back({kind, std::move(path), std::move(old_path)});
}

FileSystemCore::FileSystemCore(const HandheldConfig& config, ChangeNotifier& notifier_in)
    : notifier(notifier_in),
      store(config.root / "files", config.root / "files.attributes"),
      card(config.root / "storage-card", config.root / "storage-card.attributes") {
  std::error_code error;
  std::filesystem::create_directories(store.host_root(), error);
  store.metadata().Load();
  store.set_size_cap(config.store_size_bytes);
}

Resolved FileSystemCore::Resolve(const HandheldPath& path) {
  const auto& names = path.components();
  Resolved entry;
  entry.volume = &store;
  entry.path = kPathSeparator;
  std::size_t first = 0;
  if (!names.empty() && EqualsIgnoreCase(names[0], kStorageCardName)) {
    entry.path = kStorageCardPath;
    if (!card_inserted) {
      entry.reserved = true;
      entry.state = names.size() == 1 ? Resolved::State::kMissing : Resolved::State::kNoParent;
      return entry;
    }
    entry.volume = &card;
    first = 1;
  }
  entry.host = entry.volume->host_root();
  entry.volume_root = true;
  if (!StatHost(entry.host, &entry.info)) return entry;  // The volume's folder is gone.
  entry.state = Resolved::State::kExists;
  for (std::size_t i = first; i < names.size(); ++i) {
    if (!entry.info.is_directory) {
      entry.state = Resolved::State::kNoParent;
      return entry;
    }
    // Each name is looked up on the host once: the search describes what it
    // finds.
    HostInfo info;
    const std::optional<std::string> stored = FindHostName(entry.host, names[i], &info);
    entry =
        stored ? ChildDescribed(entry, *stored, &info) : ChildDescribed(entry, names[i], nullptr);
    if (!entry.exists()) {
      if (i + 1 < names.size()) entry.state = Resolved::State::kNoParent;
      return entry;
    }
  }
  return entry;
}

Resolved FileSystemCore::Child(const Resolved& folder, const std::string& name) {
  HostInfo info;
  const bool exists = StatHost(folder.host / name, &info);
  return ChildDescribed(folder, name, exists ? &info : nullptr);
}

Resolved FileSystemCore::ChildDescribed(const Resolved& folder, const std::string& name,
                                        const HostInfo* info) {
  const bool store_root = folder.volume_root && folder.volume == &store;
  Resolved entry;
  entry.volume = folder.volume;
  entry.host = folder.host / name;
  entry.key = folder.key.empty() ? name : folder.key + '/' + name;
  entry.path = (store_root ? std::string() : folder.path) + kPathSeparator + name;
  entry.in_rom = folder.in_rom || (store_root && EqualsIgnoreCase(name, kRomFolderName));
  entry.state = Resolved::State::kMissing;
  if (info) {
    entry.info = *info;
    entry.state = Resolved::State::kExists;
  }
  return entry;
}

FILETIME FileSystemCore::Now() const {
  if (clock) return clock();
  if (Handheld::Exists()) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return now;
  }
  const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
  return FileTimeFromUnixNanoseconds(
      std::chrono::duration_cast<std::chrono::nanoseconds>(since_epoch).count());
}

StoredMetadata FileSystemCore::MetadataOf(Volume& volume, const std::string& key,
                                          const HostInfo& info) {
  if (auto stored = volume.metadata().Find(key, info.inode)) return *stored;
  return {info.inode, info.birth.value_or(info.last_write),
          info.is_directory ? 0 : FILE_ATTRIBUTE_ARCHIVE};
}

void FileSystemCore::RecordCreated(Volume& volume, const std::string& key, const HostInfo& info,
                                   FILETIME creation, DWORD attributes) {
  volume.metadata().Put(key, {info.inode, creation, attributes & kStoredAttributes});
}

DWORD FileSystemCore::AttributesOf(const Resolved& entry) {
  if (entry.volume_root) {
    return entry.volume == &card ? FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY
                                 : FILE_ATTRIBUTE_DIRECTORY;
  }
  DWORD attributes =
      MetadataOf(*entry.volume, entry.key, entry.info).attributes & kStoredAttributes;
  if (entry.info.is_directory) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  if (entry.in_rom) attributes |= FILE_ATTRIBUTE_INROM;
  return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

std::optional<HandheldPath> ParseOrFail(std::string_view text, HandheldPath::Use use) {
  DWORD error = ERROR_SUCCESS;
  auto path = HandheldPath::Parse(text, &error, use);
  if (!path) SetLastError(error);
  return path;
}

}  // namespace platform::files_internal
