#include "gallery/options/registry_accessor.h"

#include <vector>

namespace gallery {

namespace {

using platform::DWORD;
using platform::ERROR_SUCCESS;
using platform::RegKey;

constexpr std::size_t kLongestBasePath = 256;
constexpr std::size_t kLongestSubkey = 64;

}  // namespace

RegistryAccessor::RegistryAccessor(platform::HKEY root, std::string_view base_path,
                                   std::string_view subkey)
    : root_(root) {
  if (base_path.empty() || base_path.size() > kLongestBasePath || subkey.size() > kLongestSubkey) {
    return;
  }
  base_ = base_path;
  subkey_ = subkey;
  path_ = subkey_.empty() ? base_ : base_ + "\\" + subkey_;
}

bool RegistryAccessor::HasValue(std::string_view name) const {
  RegKey key;
  if (!usable() || platform::RegOpenKeyEx(root_, path_, key.put()) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD size = 0;
  return platform::RegQueryValueEx(key.get(), name, &type, nullptr, &size) == ERROR_SUCCESS;
}

std::optional<std::string> RegistryAccessor::ReadString(std::string_view name) const {
  RegKey key;
  if (!usable() || platform::RegOpenKeyEx(root_, path_, key.put()) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  DWORD size = 0;
  if (platform::RegQueryValueEx(key.get(), name, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != platform::REG_SZ) {
    return {};
  }
  std::vector<char> text(size + 1, '\0');
  if (platform::RegQueryValueEx(key.get(), name, &type, text.data(), &size) != ERROR_SUCCESS ||
      type != platform::REG_SZ) {
    return {};
  }
  return std::string(text.data());
}

bool RegistryAccessor::WriteString(std::string_view name, std::string_view value) const {
  RegKey key;
  if (!usable() || platform::RegCreateKeyEx(root_, path_, key.put()) != ERROR_SUCCESS) {
    return false;
  }
  const std::string text(value);
  return platform::RegSetValueEx(key.get(), name, platform::REG_SZ, text.c_str(),
                                 static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryAccessor::ReadBinary(std::string_view name, std::span<std::byte> record) const {
  RegKey key;
  if (!usable() || platform::RegOpenKeyEx(root_, path_, key.put()) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD size = 0;
  // The size and type are checked before any byte is read, so a damaged
  // value can never be read over the record.
  if (platform::RegQueryValueEx(key.get(), name, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != platform::REG_BINARY || size != record.size()) {
    return false;
  }
  std::vector<std::byte> bytes(record.size());
  if (platform::RegQueryValueEx(key.get(), name, &type, bytes.data(), &size) != ERROR_SUCCESS ||
      type != platform::REG_BINARY || size != record.size()) {
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return true;
}

bool RegistryAccessor::WriteBinary(std::string_view name, std::span<const std::byte> record) const {
  RegKey key;
  if (!usable() || platform::RegCreateKeyEx(root_, path_, key.put()) != ERROR_SUCCESS) {
    return false;
  }
  return platform::RegSetValueEx(key.get(), name, platform::REG_BINARY, record.data(),
                                 static_cast<DWORD>(record.size())) == ERROR_SUCCESS;
}

std::optional<DWORD> RegistryAccessor::ReadNumber(std::string_view name) const {
  RegKey key;
  if (!usable() || platform::RegOpenKeyEx(root_, path_, key.put()) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (platform::RegQueryValueEx(key.get(), name, &type, &value, &size) != ERROR_SUCCESS ||
      type != platform::REG_DWORD || size != sizeof value) {
    return {};
  }
  return value;
}

bool RegistryAccessor::WriteNumber(std::string_view name, DWORD value) const {
  RegKey key;
  if (!usable() || platform::RegCreateKeyEx(root_, path_, key.put()) != ERROR_SUCCESS) {
    return false;
  }
  return platform::RegSetValueEx(key.get(), name, platform::REG_DWORD, &value, sizeof value) ==
         ERROR_SUCCESS;
}

bool RegistryAccessor::DeleteValue(std::string_view name) const {
  RegKey key;
  if (!usable() || platform::RegOpenKeyEx(root_, path_, key.put()) != ERROR_SUCCESS) return false;
  return platform::RegDeleteValue(key.get(), name) == ERROR_SUCCESS;
}

bool RegistryAccessor::DeleteSubkey() const {
  RegKey key;
  if (!usable() || subkey_.empty() ||
      platform::RegOpenKeyEx(root_, base_, key.put()) != ERROR_SUCCESS) {
    return false;
  }
  return platform::RegDeleteKey(key.get(), subkey_) == ERROR_SUCCESS;
}

bool RegistryAccessor::CheckVersion(std::string_view version) const {
  if (ReadString("Version") == version) return true;
  DeleteSubkey();
  WriteString("Version", version);
  return false;
}

}  // namespace gallery
