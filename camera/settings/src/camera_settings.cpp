// The variables live per handheld: each handheld runs its own camera
// application.
#include "camera/settings/camera_settings.h"

#include "camera/settings/setting_definitions.h"
#include "settings_service.h"

namespace camera {

namespace {

constexpr const IntSetting* kIntSettings[] = {
    &setting::kAwb,
    &setting::kColor,
    &setting::kImageQuality,
    &setting::kResolution,
    &setting::kAeMetering,
    &setting::kAviResolution,
    &setting::kRecordWithAudio,
    &setting::kActionMode,
    &setting::kCameraSound,
    &setting::kInstantReview,
    &setting::kSelfTime,
    &setting::kBusinessCard,
    &setting::kJpgNo,
    &setting::kAviNo,
    &setting::kBrightness,
};

}  // namespace

std::span<const IntSetting* const> IntSettings() { return kIntSettings; }

SettingsService::SettingsService(platform::Handheld&) {
  for (const IntSetting* setting : IntSettings())
    values.*(setting->variable) = setting->default_value;
  for (const TextSetting* setting : {&setting::kDefaultFolder, &setting::kFilenamePrefix}) {
    values.*(setting->variable) = std::string(setting->default_value);
  }
  values.folder_in_use = std::string(kPictureFolder);
  values.zoomed_still_size = 2;
}

CameraSettings& Settings() {
  return platform::Handheld::Current().GetService<SettingsService>().values;
}

}  // namespace camera
