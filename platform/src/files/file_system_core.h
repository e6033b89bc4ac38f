// The state behind a FileSystem, shared with its open handles (which may
// outlive it): the volumes, the open files, the clock, and the mapping of
// handheld paths to host paths.
#pragma once

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "files/host_files.h"
#include "files/open_files.h"
#include "files/volume.h"
#include "platform/change_notify.h"
#include "platform/handheld.h"
#include "platform/paths.h"

namespace platform::files_internal {

// Where a handheld path leads.
struct Resolved {
  enum class State {
    kExists,
    kMissing,   // the parent folder exists, the name does not
    kNoParent,  // some folder on the way is missing
  };
  State state = State::kNoParent;
  Volume* volume = nullptr;
  std::filesystem::path host;  // the entry, or where a new one would go
  std::string key;             // metadata key within the volume
  std::string path;            // handheld path with the names as stored
  HostInfo info;               // valid when the entry exists
  bool volume_root = false;    // "\" or "\Storage Card"
  bool in_rom = false;         // "\Windows" and below
  // "\Storage Card" while no card is in: nothing may be made there.
  bool reserved = false;

  bool exists() const { return state == State::kExists; }
  // ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND for a missing entry.
  DWORD MissingError() const;
  // In ROM and the calling thread has no installer access.
  bool Protected() const;
};

// Collects the notifications of one operation and delivers them when it goes
// out of scope. Declared before the lock guard of an operation, it is
// destroyed after the guard, so receivers run outside the lock.
class PendingEvents {
 public:
  explicit PendingEvents(ChangeNotifier& notifier) : notifier_(notifier) {}
  ~PendingEvents();
  PendingEvents(const PendingEvents&) = delete;
  PendingEvents& operator=(const PendingEvents&) = delete;
  void Add(LONG kind, std::string path, std::string old_path = {});

 private:
  ChangeNotifier& notifier_;
  std::vector<ChangeEvent> events_;
};

struct FileSystemCore {
  FileSystemCore(const HandheldConfig& config, ChangeNotifier& notifier);

  // Maps a handheld path, looking names up without regard to case.
  Resolved Resolve(const HandheldPath& path);
  // The entry `name` (spelled as stored) inside an existing folder.
  Resolved Child(const Resolved& folder, const std::string& name);
  // The same for an entry already looked up: `info` describes it, or is null
  // when it does not exist.
  Resolved ChildDescribed(const Resolved& folder, const std::string& name, const HostInfo* info);
  FILETIME Now() const;
  // The attributes the handheld sees for an existing entry.
  DWORD AttributesOf(const Resolved& entry);
  // Creation time and attributes kept for an entry, or their defaults.
  StoredMetadata MetadataOf(Volume& volume, const std::string& key, const HostInfo& info);
  // Records a new entry made through the layer.
  void RecordCreated(Volume& volume, const std::string& key, const HostInfo& info,
                     FILETIME creation, DWORD attributes);

  ChangeNotifier& notifier;
  std::mutex mutex;
  // Guarded by mutex.
  Volume store;
  Volume card;
  bool card_inserted = false;
  OpenFileTable open_files;
  std::function<FILETIME()> clock;
};

// Helpers for the operations: set the last error and return the failure.
BOOL Fail(DWORD error);
// Parses a path for an operation, setting the last error when malformed.
std::optional<HandheldPath> ParseOrFail(std::string_view text,
                                        HandheldPath::Use use = HandheldPath::Use::kName);

// Attributes that SetFileAttributes and CreateFile may store.
inline constexpr DWORD kStoredAttributes = 0x1 | 0x2 | 0x4 | 0x20;

}  // namespace platform::files_internal
