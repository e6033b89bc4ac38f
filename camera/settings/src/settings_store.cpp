// Reading and writing single settings through the profile facility.
#include "camera/settings/settings_store.h"

#include "platform/registry.h"
#include "settings_service.h"
#include "stored_value.h"

namespace camera {

const platform::Profile& SettingsProfile() {
  static const platform::Profile profile(kSettingsRegistryKey, kApplicationName);
  return profile;
}

StoredKind KindOfStored(std::string_view name) {
  platform::RegKey key;
  if (platform::RegOpenKeyEx(platform::HKEY_CURRENT_USER,
                             SettingsProfile().SectionPath(kSettingsSection),
                             key.put()) != platform::ERROR_SUCCESS) {
    return StoredKind::kMissing;
  }
  platform::DWORD type = platform::REG_NONE;
  platform::DWORD size = 0;
  if (platform::RegQueryValueEx(key.get(), name, &type, nullptr, &size) !=
      platform::ERROR_SUCCESS) {
    return StoredKind::kMissing;
  }
  switch (type) {
    case platform::REG_DWORD:
      return StoredKind::kInteger;
    case platform::REG_SZ:
      return StoredKind::kText;
    default:
      return StoredKind::kOther;
  }
}

Checked<int> ReadChecked(const IntSetting& setting) {
  const StoredKind kind = KindOfStored(setting.name);
  if (kind == StoredKind::kMissing) return {setting.default_value, false};
  if (kind != StoredKind::kInteger) return {setting.default_value, true};
  // The DWORD as the signed 32-bit value the variables hold.
  const int value = static_cast<int>(
      SettingsProfile().GetProfileInt(kSettingsSection, setting.name, setting.default_value));
  if (!setting.Accepts(value)) return {setting.default_value, true};
  return {value, false};
}

Checked<std::string> ReadChecked(const TextSetting& setting) {
  const StoredKind kind = KindOfStored(setting.name);
  std::string fallback(setting.default_value);
  if (kind == StoredKind::kMissing) return {std::move(fallback), false};
  if (kind != StoredKind::kText) return {std::move(fallback), true};
  std::string value =
      SettingsProfile().GetProfileString(kSettingsSection, setting.name, setting.default_value);
  if (!setting.Accepts(value)) return {std::move(fallback), true};
  return {std::move(value), false};
}

int ReadSetting(const IntSetting& setting) { return ReadChecked(setting).value; }

std::string ReadSetting(const TextSetting& setting) { return ReadChecked(setting).value; }

bool WriteStored(const IntSetting& setting, int value) {
  return SettingsProfile().WriteProfileInt(kSettingsSection, setting.name, value) != 0;
}

bool WriteStored(const TextSetting& setting, std::string_view value) {
  return SettingsProfile().WriteProfileString(kSettingsSection, setting.name, value) != 0;
}

bool StoreSetting(const IntSetting& setting, int value) {
  if (!setting.Accepts(value)) return false;
  Settings().*(setting.variable) = value;
  return WriteStored(setting, value);
}

bool StoreSetting(const TextSetting& setting, std::string_view value) {
  if (!setting.Accepts(value)) return false;
  Settings().*(setting.variable) = std::string(value);
  return WriteStored(setting, value);
}

}  // namespace camera
