// The platform's registry calls, acting on the current handheld's registry.
#include <utility>

#include "platform/handheld.h"
#include "platform/registry.h"

namespace platform {
namespace {

Registry& CurrentRegistry() { return Handheld::Current().registry(); }

}  // namespace

LONG RegCreateKeyEx(HKEY key, std::string_view subkey, HKEY* result, DWORD* disposition) {
  return CurrentRegistry().CreateKey(key, subkey, result, disposition);
}

LONG RegOpenKeyEx(HKEY key, std::string_view subkey, HKEY* result) {
  return CurrentRegistry().OpenKey(key, subkey, result);
}

LONG RegCloseKey(HKEY key) { return CurrentRegistry().CloseKey(key); }

LONG RegQueryValueEx(HKEY key, std::string_view name, DWORD* type, void* data, DWORD* size) {
  return CurrentRegistry().QueryValue(key, name, type, data, size);
}

LONG RegSetValueEx(HKEY key, std::string_view name, DWORD type, const void* data, DWORD size) {
  return CurrentRegistry().SetValue(key, name, type, data, size);
}

LONG RegDeleteValue(HKEY key, std::string_view name) {
  return CurrentRegistry().DeleteValue(key, name);
}

LONG RegDeleteKey(HKEY key, std::string_view subkey) {
  return CurrentRegistry().DeleteKey(key, subkey);
}

LONG RegEnumKeyEx(HKEY key, DWORD index, std::string* name) {
  return CurrentRegistry().EnumKey(key, index, name);
}

LONG RegEnumValue(HKEY key, DWORD index, std::string* name, DWORD* type, void* data, DWORD* size) {
  return CurrentRegistry().EnumValue(key, index, name, type, data, size);
}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) reset(other.release());
  return *this;
}

HKEY* RegKey::put() {
  reset();
  return &key_;
}

HKEY RegKey::release() { return std::exchange(key_, HKEY()); }

void RegKey::reset(HKEY key) {
  const HKEY old = std::exchange(key_, key);
  // Keys of a handheld that has shut down went with its registry.
  if (old && Handheld::Exists()) RegCloseKey(old);
}

}  // namespace platform
