// Values of the registry's keys: the Reg*Value calls.
#include <cstring>

#include "platform/registry.h"
#include "registry/key_tree.h"
#include "registry/value_data.h"

namespace platform {

using registry_internal::Value;

namespace {

bool ValidBuffer(const void* data, const DWORD* size) { return !data || size; }

// Hands a value out the platform's way: the type, and the data when the
// buffer holds it, else ERROR_MORE_DATA with the size needed.
LONG CopyOut(const Value& value, DWORD* type, void* data, DWORD* size) {
  if (type) *type = value.type;
  const auto needed = static_cast<DWORD>(value.data.size());
  if (!data) {
    if (size) *size = needed;
    return ERROR_SUCCESS;
  }
  const DWORD available = *size;
  *size = needed;
  if (available < needed) return ERROR_MORE_DATA;
  if (needed > 0) std::memcpy(data, value.data.data(), needed);
  return ERROR_SUCCESS;
}

}  // namespace

LONG Registry::StoreValue(const KeyPtr& key, std::string_view name, DWORD type,
                          std::vector<BYTE> data) {
  const Value* existing = registry_internal::FindValue(*key, name);
  if (existing && existing->type == type && existing->data == data) return ERROR_SUCCESS;
  registry_internal::PutValue(*key, name, type, std::move(data));
  Persist();
  return ERROR_SUCCESS;
}

LONG Registry::QueryValue(HKEY key, std::string_view name, DWORD* type, void* data, DWORD* size) {
  if (!ValidBuffer(data, size)) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(mutex_);
  KeyPtr found;
  if (const LONG error = Resolve(key, &found)) return error;
  const Value* value = registry_internal::FindValue(*found, name);
  if (!value) return ERROR_FILE_NOT_FOUND;
  return CopyOut(*value, type, data, size);
}

LONG Registry::SetValue(HKEY key, std::string_view name, DWORD type, const void* data, DWORD size) {
  if (!data && size > 0) return ERROR_INVALID_PARAMETER;
  const std::span<const BYTE> bytes(static_cast<const BYTE*>(data), data ? size : 0);
  std::optional<std::vector<BYTE>> stored = registry_internal::NormaliseValueData(type, bytes);
  if (!stored) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(mutex_);
  KeyPtr found;
  if (const LONG error = Resolve(key, &found)) return error;
  return StoreValue(found, name, type, std::move(*stored));
}

LONG Registry::DeleteValue(HKEY key, std::string_view name) {
  std::lock_guard lock(mutex_);
  KeyPtr found;
  if (const LONG error = Resolve(key, &found)) return error;
  if (!registry_internal::RemoveValue(*found, name)) return ERROR_FILE_NOT_FOUND;
  Persist();
  return ERROR_SUCCESS;
}

LONG Registry::EnumValue(HKEY key, DWORD index, std::string* name, DWORD* type, void* data,
                         DWORD* size) {
  if (!ValidBuffer(data, size)) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(mutex_);
  KeyPtr found;
  if (const LONG error = Resolve(key, &found)) return error;
  const Value* value = registry_internal::ValueAt(*found, index);
  if (!value) return ERROR_NO_MORE_ITEMS;
  if (name) *name = value->name;
  return CopyOut(*value, type, data, size);
}

}  // namespace platform
