// The settings in the per-user registry, through the application-profile
// facility: registry key name "\Kav", the application's name, section
// "Setting". Integers are DWORD values, texts string values; a value that
// is missing reads as its default.
//
// A stored value that no writer produces (out of range, of the wrong kind,
// an unusable prefix or folder) reads as its default too, so that nothing
// downstream ever indexes a table with it; LoadSettings also writes the
// default back and reports it (README.md).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "camera/settings/setting_definitions.h"
#include "platform/messages.h"
#include "platform/profile.h"

namespace camera {

inline constexpr char kSettingsRegistryKey[] = "\\Kav";
inline constexpr char kApplicationName[] = "orsacap";
inline constexpr char kSettingsSection[] = "Setting";

// The profile the camera application registers: "Software\Kav\orsacap".
const platform::Profile& SettingsProfile();

// A stored value as the pages read it: its default when it is missing or
// not one the setting accepts.
int ReadSetting(const IntSetting& setting);
std::string ReadSetting(const TextSetting& setting);

// Stores a value and sets its variable at once. A value the setting does
// not accept is refused (false, nothing changes); a failed registry write
// is lost, but the variable is still set, so the change applies to this run.
bool StoreSetting(const IntSetting& setting, int value);
bool StoreSetting(const TextSetting& setting, std::string_view value);

// What the start-up load found and mended.
struct SettingsLoadReport {
  // The registry file had lines that could not be read (the platform keeps
  // them in "registry.txt.damaged"); the values lost read as defaults and
  // the settings section has been written out again.
  bool registry_damaged = false;
  // Names of stored values that were out of range or of the wrong kind and
  // were replaced by their defaults.
  std::vector<std::string> replaced;
  // "\My Documents\My Pictures" was missing and has been made.
  bool picture_folder_created = false;

  bool NeedsNotice() const { return registry_damaged || !replaced.empty(); }
};

// The start-up load: makes the picture folder when it is missing, then
// reads every value into its variable (awb, color, imagequality,
// resolution, ae metering, aviresolution, recordwithaudio, actionmode,
// camera sound, instant review, selftime, business card, defaultfolder,
// filename prefix, jpgno, avino, brightness). The folder in use becomes
// "\My Documents\My Pictures\" whatever defaultfolder holds.
SettingsLoadReport LoadSettings();

// Tells the user, in a fixed English message box with the given caption,
// that settings were reset; nothing when the report has nothing to say.
// Returns whether a box was shown.
bool ShowSettingsNotice(const SettingsLoadReport& report, platform::HWND owner,
                        std::string_view caption);

}  // namespace camera
