// What the host file system cannot keep for the handheld: creation times
// (Linux cannot set a birth time) and the attributes (read-only, hidden,
// system, archive). Kept per volume in a readable text file beside the
// volume's folder, one line per entry:
//   <creation time, 100 ns ticks> <attributes, hex> <host inode> <path>
// with the path relative to the volume's folder. An entry counts only while
// its inode matches, so a file replaced behind the handheld's back does not
// inherit a stale entry.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform::files_internal {

struct StoredMetadata {
  ino_t inode = 0;
  FILETIME creation;
  DWORD attributes = 0;
};

class FileMetadata {
 public:
  explicit FileMetadata(std::filesystem::path store_file);

  // Reads the store file; a missing file is an empty table.
  void Load();
  // Writes the store file when anything changed since the last save.
  bool Save();

  std::optional<StoredMetadata> Find(const std::string& key, ino_t inode) const;
  void Put(const std::string& key, const StoredMetadata& metadata);
  // Forgets an entry and everything below it.
  void Erase(const std::string& key);
  // Moves an entry and everything below it to a new key.
  void Move(const std::string& from, const std::string& to);

 private:
  // The keys of an entry and everything below it.
  std::vector<std::string> Subtree(const std::string& key) const;

  std::filesystem::path store_file_;
  std::map<std::string, StoredMetadata> entries_;
  bool dirty_ = false;
};

}  // namespace platform::files_internal
