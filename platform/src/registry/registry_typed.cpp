// Typed access to registry values by path, for C++ code.
#include "platform/registry.h"
#include "registry/key_tree.h"
#include "registry/value_data.h"

namespace platform {

namespace internal = registry_internal;

std::optional<std::pair<DWORD, std::vector<BYTE>>> Registry::ReadValue(HKEY key,
                                                                       std::string_view subkey,
                                                                       std::string_view name) {
  std::lock_guard lock(mutex_);
  KeyPtr found;
  if (ResolvePath(key, subkey, &found) != ERROR_SUCCESS) return std::nullopt;
  const internal::Value* value = internal::FindValue(*found, name);
  if (!value) return std::nullopt;
  return std::pair{value->type, value->data};
}

LONG Registry::SetTyped(HKEY key, std::string_view subkey, std::string_view name, DWORD type,
                        std::span<const BYTE> data) {
  std::optional<std::vector<BYTE>> stored = internal::NormaliseValueData(type, data);
  if (!stored) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(mutex_);
  KeyPtr found;
  bool created = false;
  if (const LONG error = CreatePath(key, subkey, &found, &created)) return error;
  // A new key holds no value yet, so storing one writes the key out too.
  return StoreValue(found, name, type, std::move(*stored));
}

bool Registry::KeyExists(HKEY key, std::string_view subkey) {
  std::lock_guard lock(mutex_);
  KeyPtr found;
  return ResolvePath(key, subkey, &found) == ERROR_SUCCESS;
}

std::optional<DWORD> Registry::GetDword(HKEY key, std::string_view subkey, std::string_view name) {
  const auto value = ReadValue(key, subkey, name);
  if (!value || value->first != REG_DWORD) return std::nullopt;
  return internal::DecodeDword(value->second);
}

std::optional<std::string> Registry::GetString(HKEY key, std::string_view subkey,
                                               std::string_view name) {
  const auto value = ReadValue(key, subkey, name);
  if (!value || value->first != REG_SZ) return std::nullopt;
  return internal::DecodeString(value->second);
}

std::optional<std::vector<BYTE>> Registry::GetBinary(HKEY key, std::string_view subkey,
                                                     std::string_view name) {
  auto value = ReadValue(key, subkey, name);
  if (!value || value->first != REG_BINARY) return std::nullopt;
  return std::move(value->second);
}

std::optional<std::vector<std::string>> Registry::GetMultiString(HKEY key, std::string_view subkey,
                                                                 std::string_view name) {
  const auto value = ReadValue(key, subkey, name);
  if (!value || value->first != REG_MULTI_SZ) return std::nullopt;
  return internal::DecodeMultiString(value->second);
}

LONG Registry::SetDword(HKEY key, std::string_view subkey, std::string_view name, DWORD value) {
  return SetTyped(key, subkey, name, REG_DWORD, internal::EncodeDword(value));
}

LONG Registry::SetString(HKEY key, std::string_view subkey, std::string_view name,
                         std::string_view value) {
  return SetTyped(key, subkey, name, REG_SZ, internal::EncodeString(value));
}

LONG Registry::SetBinary(HKEY key, std::string_view subkey, std::string_view name,
                         std::span<const BYTE> value) {
  return SetTyped(key, subkey, name, REG_BINARY, value);
}

LONG Registry::SetMultiString(HKEY key, std::string_view subkey, std::string_view name,
                              std::span<const std::string> value) {
  return SetTyped(key, subkey, name, REG_MULTI_SZ, internal::EncodeMultiString(value));
}

}  // namespace platform
