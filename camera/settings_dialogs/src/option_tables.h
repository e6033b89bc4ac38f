// The entries of the Settings and Setup pages: each entry's name, its
// ordered options (the position of an option is the value stored), their
// descriptions, the row images of its option list and the setting it edits.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "camera/settings/setting_definitions.h"
#include "platform/types.h"

namespace camera {

struct OptionDefinition {
  platform::UINT text_id = 0;  // 0: the fixed text below
  std::string_view fixed_text;
  platform::UINT description_id = 0;  // 0: no description
};

struct EntryDefinition {
  platform::UINT name_id;
  std::span<const OptionDefinition> options;
  platform::UINT row_bitmap;  // one 48x16 image per option
  const IntSetting* setting;
  int reset_value;
  // The description is the entry's name and the option's word (On, Off).
  bool description_from_name = false;
};

// The end mark of every option table as the option lists read it.
inline constexpr std::string_view kOptionSentinel = "good bye";
// Option texts longer than this are cut (UTF-16 units).
inline constexpr std::size_t kOptionTextLimit = 50;

// Entry order of the Settings page: White Balance, Color, Compression,
// Resolution, AE Metering.
std::span<const EntryDefinition> SettingsPageEntries();
inline constexpr int kResolutionEntry = 3;
// Entry order of the Setup page: Camera Sounds, Instant Review, Self-Timer,
// Business Card Framing Aid.
std::span<const EntryDefinition> SetupPageEntries();

// The entry's option texts in the kept language, followed by the sentinel.
std::vector<std::string> OptionTexts(const EntryDefinition& entry);
// The description of option `value`; empty when it has none.
std::string OptionDescription(const EntryDefinition& entry, int value);
// The list's line for the entry: name, " (", the option's text, ")".
std::string EntryText(const EntryDefinition& entry, int value);

}  // namespace camera
