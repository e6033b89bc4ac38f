// The gallery's one way to its registry values: a root key, a base path
// and an optional subkey ("SOFTWARE\QX\orsagal" + "Settings"). Every call
// opens the key and closes it again; reads open it for reading only, writes
// create it.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace gallery {

// The gallery's key below HKEY_CURRENT_USER and its options subkey.
inline constexpr char kGalleryKey[] = "SOFTWARE\\QX\\orsagal";
inline constexpr char kSettingsSubkey[] = "Settings";

class RegistryAccessor {
 public:
  // A base path longer than 256 characters or a subkey longer than 64 makes
  // an accessor whose every call fails.
  RegistryAccessor(platform::HKEY root, std::string_view base_path, std::string_view subkey = {});

  // The path the calls act on: base, or base "\" subkey.
  const std::string& path() const { return path_; }

  // Whether the value exists, whatever its type.
  bool HasValue(std::string_view name) const;
  // A REG_SZ value; nothing when the key or value is missing or is not a
  // string.
  std::optional<std::string> ReadString(std::string_view name) const;
  bool WriteString(std::string_view name, std::string_view value) const;
  // Fills `record` only from a REG_BINARY value of exactly its size; false
  // (and `record` untouched) otherwise.
  bool ReadBinary(std::string_view name, std::span<std::byte> record) const;
  bool WriteBinary(std::string_view name, std::span<const std::byte> record) const;
  std::optional<platform::DWORD> ReadNumber(std::string_view name) const;
  bool WriteNumber(std::string_view name, platform::DWORD value) const;
  bool DeleteValue(std::string_view name) const;
  // Deletes the subkey (with all below it) from the base key.
  bool DeleteSubkey() const;
  // When "Version" is missing or differs from `version`, the whole subkey
  // goes and "Version" is written anew. True when it was kept.
  bool CheckVersion(std::string_view version) const;

 private:
  bool usable() const { return !path_.empty(); }

  platform::HKEY root_;
  std::string base_;
  std::string subkey_;
  std::string path_;
};

}  // namespace gallery
