// The handheld's registry: three roots (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER,
// HKEY_CLASSES_ROOT) holding keys, subkeys and typed values.
//
// Names of keys and values are compared without regard to case and keep the
// case they were created with; subkeys and values enumerate in that
// case-insensitive name order. A subkey path is a run of key names separated
// by backslashes; empty names (a leading, doubled or trailing backslash) are
// skipped. The empty value name is the key's default value.
//
// Strings are UTF-8. A REG_SZ value is kept as its text and always read back
// with one terminating zero; REG_MULTI_SZ as its list of texts, read back as
// zero-terminated texts followed by one more zero. A REG_DWORD value is
// exactly four bytes.
//
// The registry lives in a text file (the handheld's "registry.txt"): one
// section per key, one line per value, for example
//   [HKEY_CURRENT_USER\Software\Kav\orsacap\Setting]
//   "filename prefix"="snap"
//   "jpgno"=dword:0000000c
//   @="default value"
//   "Options"=hex:01,00,ff
//   "Names"=multi:"one","two"
//   "Path"=hex(2):25,00
// Strings escape \\, \", \n, \r, \t and other control bytes as \xHH. Every
// change is written through at once (a temporary file renamed over the old
// one), so a later run finds it even when this one crashed. Loading skips
// lines it cannot read and keeps the damaged file as "<file>.damaged".
//
// Deliverables call the Reg* functions at the end, which act on the current
// handheld and return the platform's error numbers (ERROR_SUCCESS is 0); the
// emulator, the profile facility and tests may use a Registry directly.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/last_error.h"
#include "platform/types.h"

namespace platform {

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

// Dispositions reported by RegCreateKeyEx.
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// A handle whose key was deleted after it was opened.
inline constexpr DWORD ERROR_KEY_DELETED = 1018;

// A key handle: one of the predefined roots, or a key opened by RegOpenKeyEx
// or RegCreateKeyEx and valid until RegCloseKey. Null by default.
class HKEY {
 public:
  constexpr HKEY() = default;
  constexpr explicit HKEY(std::uintptr_t value) : value_(value) {}
  constexpr std::uintptr_t value() const { return value_; }
  constexpr explicit operator bool() const { return value_ != 0; }
  friend constexpr bool operator==(HKEY, HKEY) = default;

 private:
  std::uintptr_t value_ = 0;
};

inline constexpr HKEY HKEY_CLASSES_ROOT{0x80000000u};
inline constexpr HKEY HKEY_CURRENT_USER{0x80000001u};
inline constexpr HKEY HKEY_LOCAL_MACHINE{0x80000002u};

namespace registry_internal {
struct Key;
}  // namespace registry_internal

class Registry {
 public:
  // Loads the file when it exists; a missing file is an empty registry.
  explicit Registry(std::filesystem::path file);
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Writes the file if a change could not be written through before.
  void Save();
  const std::filesystem::path& file() const { return file_; }
  // Lines the last load could not read.
  std::size_t skipped_lines() const { return skipped_lines_; }

  // The Reg* calls below, on this registry.
  LONG CreateKey(HKEY key, std::string_view subkey, HKEY* result, DWORD* disposition = nullptr);
  LONG OpenKey(HKEY key, std::string_view subkey, HKEY* result);
  LONG CloseKey(HKEY key);
  LONG DeleteKey(HKEY key, std::string_view subkey);
  LONG EnumKey(HKEY key, DWORD index, std::string* name);
  LONG QueryValue(HKEY key, std::string_view name, DWORD* type, void* data, DWORD* size);
  LONG SetValue(HKEY key, std::string_view name, DWORD type, const void* data, DWORD size);
  LONG DeleteValue(HKEY key, std::string_view name);
  LONG EnumValue(HKEY key, DWORD index, std::string* name, DWORD* type, void* data, DWORD* size);

  // Typed access to the value `name` of the key `subkey` below `key` (a root
  // or an open key), for C++ code. The getters give nothing when the key or
  // the value is missing or the value has another type; the setters create
  // the key when needed.
  bool KeyExists(HKEY key, std::string_view subkey);
  std::optional<DWORD> GetDword(HKEY key, std::string_view subkey, std::string_view name);
  std::optional<std::string> GetString(HKEY key, std::string_view subkey, std::string_view name);
  std::optional<std::vector<BYTE>> GetBinary(HKEY key, std::string_view subkey,
                                             std::string_view name);
  std::optional<std::vector<std::string>> GetMultiString(HKEY key, std::string_view subkey,
                                                         std::string_view name);
  LONG SetDword(HKEY key, std::string_view subkey, std::string_view name, DWORD value);
  LONG SetString(HKEY key, std::string_view subkey, std::string_view name, std::string_view value);
  LONG SetBinary(HKEY key, std::string_view subkey, std::string_view name,
                 std::span<const BYTE> value);
  LONG SetMultiString(HKEY key, std::string_view subkey, std::string_view name,
                      std::span<const std::string> value);

 private:
  using KeyPtr = std::shared_ptr<registry_internal::Key>;

  // Callers hold mutex_.
  LONG Resolve(HKEY key, KeyPtr* found) const;
  LONG ResolvePath(HKEY key, std::string_view subkey, KeyPtr* found) const;
  LONG CreatePath(HKEY key, std::string_view subkey, KeyPtr* found, bool* created);
  LONG StoreValue(const KeyPtr& key, std::string_view name, DWORD type, std::vector<BYTE> data);
  std::optional<std::pair<DWORD, std::vector<BYTE>>> ReadValue(HKEY key, std::string_view subkey,
                                                               std::string_view name);
  LONG SetTyped(HKEY key, std::string_view subkey, std::string_view name, DWORD type,
                std::span<const BYTE> data);
  HKEY AddHandle(KeyPtr key);
  void Load();
  // Writes the whole registry to the file; on failure the change stays in
  // memory and Save tries again.
  void Persist();

  std::filesystem::path file_;
  mutable std::mutex mutex_;
  std::array<KeyPtr, 3> roots_;
  std::unordered_map<std::uintptr_t, KeyPtr> handles_;
  bool dirty_ = false;
  std::size_t skipped_lines_ = 0;
};

// The platform's registry calls, acting on Handheld::Current().registry().
// `result` receives a handle to close with RegCloseKey (or to hand to a
// RegKey); it is null when the call fails.
LONG RegCreateKeyEx(HKEY key, std::string_view subkey, HKEY* result, DWORD* disposition = nullptr);
// ERROR_FILE_NOT_FOUND when the key is missing.
LONG RegOpenKeyEx(HKEY key, std::string_view subkey, HKEY* result);
LONG RegCloseKey(HKEY key);
// Reads a value. `data` may be null to learn the type and size; when the
// buffer is too small the call fails with ERROR_MORE_DATA and `size` holds
// the size needed. ERROR_FILE_NOT_FOUND when the value is missing.
LONG RegQueryValueEx(HKEY key, std::string_view name, DWORD* type, void* data, DWORD* size);
LONG RegSetValueEx(HKEY key, std::string_view name, DWORD type, const void* data, DWORD size);
LONG RegDeleteValue(HKEY key, std::string_view name);
// Deletes the subkey with all its subkeys.
LONG RegDeleteKey(HKEY key, std::string_view subkey);
// The index-th subkey's or value's name; ERROR_NO_MORE_ITEMS past the last.
LONG RegEnumKeyEx(HKEY key, DWORD index, std::string* name);
LONG RegEnumValue(HKEY key, DWORD index, std::string* name, DWORD* type, void* data, DWORD* size);

// Owns an opened key of the current handheld and closes it with RegCloseKey.
class RegKey {
 public:
  RegKey() = default;
  explicit RegKey(HKEY key) : key_(key) {}
  RegKey(RegKey&& other) noexcept : key_(other.release()) {}
  RegKey& operator=(RegKey&& other) noexcept;
  ~RegKey() { reset(); }

  HKEY get() const { return key_; }
  explicit operator bool() const { return static_cast<bool>(key_); }
  // Closes the key held and gives the place for a call to store a new one:
  // RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Ident", key.put()).
  HKEY* put();
  HKEY release();
  void reset(HKEY key = HKEY());

 private:
  HKEY key_;
};

}  // namespace platform
