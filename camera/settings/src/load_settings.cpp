// The start-up load of the settings.
#include <algorithm>

#include "camera/settings/settings_store.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "settings_service.h"
#include "stored_value.h"

namespace camera {

namespace {

constexpr std::string_view kDocumentsFolder = "\\My Documents";
constexpr std::string_view kPictureFolderPath = "\\My Documents\\My Pictures";
// The integers read before the two texts; the rest come after them.
constexpr std::size_t kIntegersBeforeTexts = 12;

// True when the folder had to be made.
bool EnsurePictureFolder() {
  platform::WIN32_FIND_DATA found;
  platform::FindHandle find = platform::FindFirstFile(kPictureFolderPath, &found);
  if (find) {
    platform::FindClose(find);
    return false;
  }
  // A handheld whose user removed "My Documents" too gets both back.
  if (platform::GetFileAttributes(kDocumentsFolder) == platform::INVALID_FILE_ATTRIBUTES) {
    platform::CreateDirectory(kDocumentsFolder);
  }
  return platform::CreateDirectory(kPictureFolderPath) != 0;
}

bool RegistryFileDamaged() { return platform::Handheld::Current().registry().skipped_lines() > 0; }

template <typename Setting>
void Load(const Setting& setting, CameraSettings& values, SettingsLoadReport& report) {
  auto checked = ReadChecked(setting);
  if (checked.replaced) {
    report.replaced.emplace_back(setting.name);
    WriteStored(setting, checked.value);
  }
  values.*(setting.variable) = std::move(checked.value);
}

}  // namespace

SettingsLoadReport LoadSettings() {
  SettingsLoadReport report;
  report.picture_folder_created = EnsurePictureFolder();
  SettingsService& service = platform::Handheld::Current().GetService<SettingsService>();
  CameraSettings& values = service.values;

  const auto integers = IntSettings();
  for (std::size_t i = 0; i < kIntegersBeforeTexts; ++i) Load(*integers[i], values, report);
  Load(setting::kDefaultFolder, values, report);
  values.folder_in_use = std::string(kPictureFolder);
  Load(setting::kFilenamePrefix, values, report);
  for (std::size_t i = kIntegersBeforeTexts; i < integers.size(); ++i) {
    Load(*integers[i], values, report);
  }

  if (RegistryFileDamaged() && !service.registry_damage_handled) {
    // Writing the section out again replaces the damaged file with one the
    // next start reads whole.
    service.registry_damage_handled = true;
    report.registry_damaged = true;
    for (const IntSetting* setting : integers) WriteStored(*setting, values.*(setting->variable));
    for (const TextSetting* setting : {&setting::kDefaultFolder, &setting::kFilenamePrefix}) {
      WriteStored(*setting, values.*(setting->variable));
    }
  }
  return report;
}

bool ShowSettingsNotice(const SettingsLoadReport& report, platform::HWND owner,
                        std::string_view caption) {
  if (!report.NeedsNotice()) return false;
  std::string text;
  if (report.registry_damaged) {
    text =
        "The handheld's settings file was damaged. Camera settings that could not be read "
        "have been reset to their defaults.";
  }
  if (!report.replaced.empty()) {
    if (!text.empty()) text += "\n";
    text +=
        "These camera settings held values that are not valid and have been reset to their "
        "defaults:";
    for (const std::string& name : report.replaced) text += "\n" + name;
  }
  platform::MessageBox(owner, text, caption, platform::MB_OK | platform::MB_ICONWARNING);
  return true;
}

}  // namespace camera
