#include "files/file_metadata.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace platform::files_internal {

FileMetadata::FileMetadata(std::filesystem::path store_file) : store_file_(std::move(store_file)) {}

void FileMetadata::Load() {
  entries_.clear();
  dirty_ = false;
  std::ifstream in(store_file_);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::uint64_t creation = 0;
    StoredMetadata metadata;
    fields >> creation >> std::hex >> metadata.attributes >> std::dec >> metadata.inode;
    if (!fields || fields.get() != ' ') continue;
    std::string key;
    std::getline(fields, key);
    if (key.empty()) continue;
    metadata.creation = FILETIME::FromTicks(creation);
    entries_[key] = metadata;
  }
}

bool FileMetadata::Save() {
  if (!dirty_) return true;
  // Written beside and renamed over, so that a crash leaves the old table.
  std::filesystem::path temporary = store_file_;
  temporary += ".new";
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << "# creation-time attributes inode path\n";
    for (const auto& [key, metadata] : entries_) {
      out << metadata.creation.Ticks() << ' ' << std::hex << metadata.attributes << std::dec << ' '
          << metadata.inode << ' ' << key << '\n';
    }
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, store_file_, error);
  if (error) return false;
  dirty_ = false;
  return true;
}

std::optional<StoredMetadata> FileMetadata::Find(const std::string& key, ino_t inode) const {
  const auto it = entries_.find(key);
  if (it == entries_.end() || it->second.inode != inode) return std::nullopt;
  return it->second;
}

void FileMetadata::Put(const std::string& key, const StoredMetadata& metadata) {
  entries_[key] = metadata;
  dirty_ = true;
}

std::vector<std::string> FileMetadata::Subtree(const std::string& key) const {
  std::vector<std::string> keys;
  if (entries_.count(key)) keys.push_back(key);
  const std::string prefix = key + '/';
  for (auto it = entries_.lower_bound(prefix);
       it != entries_.end() && it->first.starts_with(prefix); ++it) {
    keys.push_back(it->first);
  }
  return keys;
}

void FileMetadata::Erase(const std::string& key) {
  for (const std::string& old_key : Subtree(key)) {
    entries_.erase(old_key);
    dirty_ = true;
  }
}

void FileMetadata::Move(const std::string& from, const std::string& to) {
  for (const std::string& old_key : Subtree(from)) {
    auto node = entries_.extract(old_key);
    node.key() = to + old_key.substr(from.size());
    entries_.insert_or_assign(node.key(), node.mapped());
    dirty_ = true;
  }
}

}  // namespace platform::files_internal
