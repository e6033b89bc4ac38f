// The registry in memory: a tree of keys per root, each holding its subkeys
// and values by case-folded name.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/types.h"

namespace platform::registry_internal {

struct Value {
  std::string name;  // as first created
  DWORD type = REG_NONE;
  std::vector<BYTE> data;  // as read back (see value_data.h)
};

struct Key {
  std::string name;  // as first created
  // Set on the key and every key below it when it is deleted, so that
  // handles still open on them fail with ERROR_KEY_DELETED.
  bool deleted = false;
  // By folded name: maps keep the case-insensitive enumeration order.
  std::map<std::string, std::shared_ptr<Key>> subkeys;
  std::map<std::string, Value> values;
};

struct Root {
  HKEY handle;
  std::string_view name;
};

inline constexpr std::array<Root, 3> kRoots = {{
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
}};

using Roots = std::array<std::shared_ptr<Key>, kRoots.size()>;

// The index of a predefined root in kRoots.
std::optional<std::size_t> RootIndex(HKEY key);
std::optional<std::size_t> RootIndexByName(std::string_view name);

// The names of a subkey path. Nothing when a name holds a control character,
// which neither the handheld nor the registry file can carry.
std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path);

std::shared_ptr<Key> FindSubkey(const Key& key, std::string_view name);
// The existing subkey of that name, or a new one.
std::shared_ptr<Key> AddSubkey(Key& key, std::string_view name, bool* created);
// Detaches a subkey and marks it and everything below it deleted.
bool RemoveSubkey(Key& key, std::string_view name);

const Value* FindValue(const Key& key, std::string_view name);
void PutValue(Key& key, std::string_view name, DWORD type, std::vector<BYTE> data);
bool RemoveValue(Key& key, std::string_view name);

// The entry at an enumeration index, or null past the end.
const Key* SubkeyAt(const Key& key, DWORD index);
const Value* ValueAt(const Key& key, DWORD index);

}  // namespace platform::registry_internal
