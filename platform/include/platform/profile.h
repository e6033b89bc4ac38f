// The application-profile facility of the handheld's application framework:
// named integer and text entries grouped in sections, kept in the per-user
// registry. An application registers its registry key name (the company
// part, such as "\Kav") and has its own name; a section's entries are the
// values of the key
//   HKEY_CURRENT_USER\Software\<registry key>\<application name>\<section>
// Backslashes around the registry key name are dropped, so "\Kav" and "Kav"
// both give "Software\Kav\<application name>\<section>".
//
// Integers are DWORD values and texts REG_SZ values. A missing entry, or one
// of the other type, reads as the default. Nothing is cached: every call
// reads or writes the registry, which writes every change through.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"
#include "platform/types.h"

namespace platform {

class Profile {
 public:
  // On the current handheld's registry, looked up at each call.
  Profile(std::string registry_key, std::string application_name);
  // On the given registry, which must outlive the profile.
  Profile(Registry& registry, std::string registry_key, std::string application_name);

  UINT GetProfileInt(std::string_view section, std::string_view entry, int default_value) const;
  BOOL WriteProfileInt(std::string_view section, std::string_view entry, int value) const;
  std::string GetProfileString(std::string_view section, std::string_view entry,
                               std::string_view default_value = {}) const;
  BOOL WriteProfileString(std::string_view section, std::string_view entry,
                          std::string_view value) const;

  // "Software\<registry key>\<application name>\<section>", below
  // HKEY_CURRENT_USER.
  std::string SectionPath(std::string_view section) const;

 private:
  Registry& registry() const;

  Registry* registry_ = nullptr;  // null: the current handheld's
  std::string registry_key_;
  std::string application_name_;
};

}  // namespace platform
