// Per-handheld home of the settings variables.
#pragma once

#include <span>

#include "camera/settings/camera_settings.h"
#include "camera/settings/setting_definitions.h"
#include "platform/handheld.h"

namespace camera {

class SettingsService : public platform::HandheldService {
 public:
  explicit SettingsService(platform::Handheld& handheld);

  CameraSettings values;
  // A damaged registry file is mended and reported once per handheld run.
  bool registry_damage_handled = false;
};

// Every integer setting, in the order of the start-up load.
std::span<const IntSetting* const> IntSettings();

}  // namespace camera
