// A handheld for settings tests, and the registry key the settings live in.
#pragma once

#include <string>

#include "camera/settings/camera_settings.h"
#include "platform/handheld.h"
#include "platform/registry.h"
#include "platform/testing/temp_handheld.h"

namespace camera::testing {

inline constexpr char kSettingKey[] = "Software\\Kav\\orsacap\\Setting";

inline platform::Registry& Registry() { return platform::Handheld::Current().registry(); }

inline std::optional<platform::DWORD> StoredInt(const char* name) {
  return Registry().GetDword(platform::HKEY_CURRENT_USER, kSettingKey, name);
}

inline std::optional<std::string> StoredText(const char* name) {
  return Registry().GetString(platform::HKEY_CURRENT_USER, kSettingKey, name);
}

inline void StoreRaw(const char* name, platform::DWORD value) {
  Registry().SetDword(platform::HKEY_CURRENT_USER, kSettingKey, name, value);
}

inline void StoreRaw(const char* name, const std::string& value) {
  Registry().SetString(platform::HKEY_CURRENT_USER, kSettingKey, name, value);
}

}  // namespace camera::testing
