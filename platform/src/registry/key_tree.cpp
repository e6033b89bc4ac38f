#include "registry/key_tree.h"

#include <iterator>

#include "platform/paths.h"

namespace platform::registry_internal {
namespace {

void MarkDeleted(Key& key) {
  key.deleted = true;
  for (auto& [folded, subkey] : key.subkeys) MarkDeleted(*subkey);
}

template <typename Map>
auto EntryAt(const Map& map, DWORD index) -> const typename Map::mapped_type* {
  if (index >= map.size()) return nullptr;
  return &std::next(map.begin(), index)->second;
}

}  // namespace

std::optional<std::size_t> RootIndex(HKEY key) {
  for (std::size_t i = 0; i < kRoots.size(); ++i) {
    if (kRoots[i].handle == key) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> RootIndexByName(std::string_view name) {
  for (std::size_t i = 0; i < kRoots.size(); ++i) {
    if (EqualsIgnoreCase(kRoots[i].name, name)) return i;
  }
  return std::nullopt;
}

std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path) {
  std::vector<std::string_view> names;
  while (!path.empty()) {
    const std::size_t end = std::min(path.find(kPathSeparator), path.size());
    const std::string_view name = path.substr(0, end);
    for (const char c : name) {
      if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
    }
    if (!name.empty()) names.push_back(name);
    path.remove_prefix(std::min(end + 1, path.size()));
  }
  return names;
}

std::shared_ptr<Key> FindSubkey(const Key& key, std::string_view name) {
  const auto found = key.subkeys.find(FoldCase(name));
  return found == key.subkeys.end() ? nullptr : found->second;
}

std::shared_ptr<Key> AddSubkey(Key& key, std::string_view name, bool* created) {
  auto [entry, inserted] = key.subkeys.try_emplace(FoldCase(name));
  if (inserted) {
    entry->second = std::make_shared<Key>();
    entry->second->name = std::string(name);
  }
  *created = inserted;
  return entry->second;
}

bool RemoveSubkey(Key& key, std::string_view name) {
  const auto found = key.subkeys.find(FoldCase(name));
  if (found == key.subkeys.end()) return false;
  MarkDeleted(*found->second);
  key.subkeys.erase(found);
  return true;
}

const Value* FindValue(const Key& key, std::string_view name) {
  const auto found = key.values.find(FoldCase(name));
  return found == key.values.end() ? nullptr : &found->second;
}

void PutValue(Key& key, std::string_view name, DWORD type, std::vector<BYTE> data) {
  auto [entry, inserted] = key.values.try_emplace(FoldCase(name));
  if (inserted) entry->second.name = std::string(name);
  entry->second.type = type;
  entry->second.data = std::move(data);
}

bool RemoveValue(Key& key, std::string_view name) { return key.values.erase(FoldCase(name)) > 0; }

const Key* SubkeyAt(const Key& key, DWORD index) {
  const auto* entry = EntryAt(key.subkeys, index);
  return entry ? entry->get() : nullptr;
}

const Value* ValueAt(const Key& key, DWORD index) { return EntryAt(key.values, index); }

}  // namespace platform::registry_internal
