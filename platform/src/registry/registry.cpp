// The registry's keys and handles, and its file.
#include "platform/registry.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <system_error>

#include "registry/key_tree.h"
#include "registry/registry_text.h"

namespace platform {

using registry_internal::Key;

namespace {

// Handle values come from one counter for the whole process, so that a handle
// of one registry never names a key of another.
std::uintptr_t NextHandleValue() {
  static std::atomic<std::uintptr_t> next{0x1000};
  return next.fetch_add(4);
}

bool WriteFileAtomically(const std::filesystem::path& file, const std::string& contents) {
  std::error_code error;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << contents;
    out.close();
    if (!out) return false;
  }
  std::filesystem::rename(temporary, file, error);
  if (!error) return true;
  std::filesystem::remove(temporary, error);
  return false;
}

}  // namespace

Registry::Registry(std::filesystem::path file) : file_(std::move(file)) {
  for (auto& root : roots_) root = std::make_shared<Key>();
  Load();
}

Registry::~Registry() = default;

void Registry::Load() {
  std::ifstream in(file_, std::ios::binary);
  if (!in) return;
  std::ostringstream text;
  text << in.rdbuf();
  skipped_lines_ = registry_internal::ParseRegistry(text.str(), roots_);
  if (skipped_lines_ > 0) {
    // The next write replaces the file; keep what could not be read.
    std::filesystem::path damaged = file_;
    damaged += ".damaged";
    std::error_code error;
    std::filesystem::copy_file(file_, damaged, std::filesystem::copy_options::overwrite_existing,
                               error);
  }
}

void Registry::Persist() {
  dirty_ = !WriteFileAtomically(file_, registry_internal::FormatRegistry(roots_));
}

void Registry::Save() {
  std::lock_guard lock(mutex_);
  if (dirty_) Persist();
}

HKEY Registry::AddHandle(KeyPtr key) {
  const HKEY handle(NextHandleValue());
  handles_.emplace(handle.value(), std::move(key));
  return handle;
}

LONG Registry::Resolve(HKEY key, KeyPtr* found) const {
  if (const auto root = registry_internal::RootIndex(key)) {
    *found = roots_[*root];
    return ERROR_SUCCESS;
  }
  const auto entry = handles_.find(key.value());
  if (entry == handles_.end()) return ERROR_INVALID_HANDLE;
  if (entry->second->deleted) return ERROR_KEY_DELETED;
  *found = entry->second;
  return ERROR_SUCCESS;
}

LONG Registry::ResolvePath(HKEY key, std::string_view subkey, KeyPtr* found) const {
  KeyPtr current;
  if (const LONG error = Resolve(key, &current)) return error;
  const auto names = registry_internal::SplitKeyPath(subkey);
  if (!names) return ERROR_INVALID_PARAMETER;
  for (const std::string_view name : *names) {
    current = registry_internal::FindSubkey(*current, name);
    if (!current) return ERROR_FILE_NOT_FOUND;
  }
  *found = std::move(current);
  return ERROR_SUCCESS;
}

LONG Registry::CreatePath(HKEY key, std::string_view subkey, KeyPtr* found, bool* created) {
  KeyPtr current;
  if (const LONG error = Resolve(key, &current)) return error;
  const auto names = registry_internal::SplitKeyPath(subkey);
  if (!names) return ERROR_INVALID_PARAMETER;
  *created = false;
  for (const std::string_view name : *names) {
    current = registry_internal::AddSubkey(*current, name, created);
  }
  *found = std::move(current);
  return ERROR_SUCCESS;
}

LONG Registry::CreateKey(HKEY key, std::string_view subkey, HKEY* result, DWORD* disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = HKEY();
  std::lock_guard lock(mutex_);
  KeyPtr found;
  bool created = false;
  if (const LONG error = CreatePath(key, subkey, &found, &created)) return error;
  if (created) Persist();
  *result = AddHandle(std::move(found));
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

LONG Registry::OpenKey(HKEY key, std::string_view subkey, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = HKEY();
  std::lock_guard lock(mutex_);
  KeyPtr found;
  if (const LONG error = ResolvePath(key, subkey, &found)) return error;
  *result = AddHandle(std::move(found));
  return ERROR_SUCCESS;
}

LONG Registry::CloseKey(HKEY key) {
  if (registry_internal::RootIndex(key)) return ERROR_SUCCESS;
  std::lock_guard lock(mutex_);
  return handles_.erase(key.value()) > 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG Registry::DeleteKey(HKEY key, std::string_view subkey) {
  std::lock_guard lock(mutex_);
  const auto names = registry_internal::SplitKeyPath(subkey);
  if (!names) return ERROR_INVALID_PARAMETER;
  if (names->empty()) {
    // Deleting the key itself through an empty path would also reach a root.
    KeyPtr ignored;
    const LONG error = Resolve(key, &ignored);
    return error ? error : ERROR_INVALID_PARAMETER;
  }
  const std::string_view last = names->back();
  const std::string_view parent_path = subkey.substr(0, last.data() - subkey.data());
  KeyPtr parent;
  if (const LONG error = ResolvePath(key, parent_path, &parent)) return error;
  if (!registry_internal::RemoveSubkey(*parent, last)) return ERROR_FILE_NOT_FOUND;
  Persist();
  return ERROR_SUCCESS;
}

LONG Registry::EnumKey(HKEY key, DWORD index, std::string* name) {
  std::lock_guard lock(mutex_);
  KeyPtr found;
  if (const LONG error = Resolve(key, &found)) return error;
  const Key* subkey = registry_internal::SubkeyAt(*found, index);
  if (!subkey) return ERROR_NO_MORE_ITEMS;
  if (name) *name = subkey->name;
  return ERROR_SUCCESS;
}

}  // namespace platform
