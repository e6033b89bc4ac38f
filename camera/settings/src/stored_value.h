// Stored values as the start-up load sees them: present or not, of the
// right kind or not, usable or replaced by the default.
#pragma once

#include <string>
#include <string_view>

#include "camera/settings/setting_definitions.h"

namespace camera {

enum class StoredKind { kMissing, kInteger, kText, kOther };

StoredKind KindOfStored(std::string_view name);

template <typename T>
struct Checked {
  T value;
  bool replaced;  // a stored value was unusable; value is the default
};

Checked<int> ReadChecked(const IntSetting& setting);
Checked<std::string> ReadChecked(const TextSetting& setting);

// The registry write alone, without touching the variable.
bool WriteStored(const IntSetting& setting, int value);
bool WriteStored(const TextSetting& setting, std::string_view value);

}  // namespace camera
