#include "platform/profile.h"

#include "platform/handheld.h"

namespace platform {
namespace {

std::string_view TrimSeparators(std::string_view name) {
  while (name.starts_with('\\')) name.remove_prefix(1);
  while (name.ends_with('\\')) name.remove_suffix(1);
  return name;
}

}  // namespace

Profile::Profile(std::string registry_key, std::string application_name)
    : registry_key_(TrimSeparators(registry_key)), application_name_(std::move(application_name)) {}

Profile::Profile(Registry& registry, std::string registry_key, std::string application_name)
    : registry_(&registry),
      registry_key_(TrimSeparators(registry_key)),
      application_name_(std::move(application_name)) {}

Registry& Profile::registry() const {
  return registry_ ? *registry_ : Handheld::Current().registry();
}

std::string Profile::SectionPath(std::string_view section) const {
  std::string path = "Software";
  for (const std::string_view part :
       {std::string_view(registry_key_), std::string_view(application_name_), section}) {
    if (part.empty()) continue;
    path += '\\';
    path += part;
  }
  return path;
}

UINT Profile::GetProfileInt(std::string_view section, std::string_view entry,
                            int default_value) const {
  return registry()
      .GetDword(HKEY_CURRENT_USER, SectionPath(section), entry)
      .value_or(static_cast<UINT>(default_value));
}

BOOL Profile::WriteProfileInt(std::string_view section, std::string_view entry, int value) const {
  return registry().SetDword(HKEY_CURRENT_USER, SectionPath(section), entry,
                             static_cast<DWORD>(value)) == ERROR_SUCCESS;
}

std::string Profile::GetProfileString(std::string_view section, std::string_view entry,
                                      std::string_view default_value) const {
  return registry()
      .GetString(HKEY_CURRENT_USER, SectionPath(section), entry)
      .value_or(std::string(default_value));
}

BOOL Profile::WriteProfileString(std::string_view section, std::string_view entry,
                                 std::string_view value) const {
  return registry().SetString(HKEY_CURRENT_USER, SectionPath(section), entry, value) ==
         ERROR_SUCCESS;
}

}  // namespace platform
