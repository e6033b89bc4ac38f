// Every stored setting: its value name in section "Setting", its default,
// the values it may take and the variable that mirrors it.
#pragma once

#include <climits>
#include <string>
#include <string_view>

#include "camera/settings/camera_settings.h"

namespace camera {

struct IntSetting {
  std::string_view name;
  int default_value;
  int min;
  int max;
  int CameraSettings::*variable;

  constexpr bool Accepts(int value) const { return value >= min && value <= max; }
};

struct TextSetting {
  std::string_view name;
  std::string_view default_value;
  bool (*accepts)(std::string_view value);
  std::string CameraSettings::*variable;

  bool Accepts(std::string_view value) const { return accepts(value); }
};

// The picture folder every handheld has and the folder in use at start-up.
inline constexpr std::string_view kPictureFolder = "\\My Documents\\My Pictures\\";
inline constexpr int kMaxPrefixLength = 15;  // characters (UTF-16 units)
inline constexpr int kCounterLimit = 10000;  // a counter reaching it starts again at 1

// A prefix fits a file name: at most 15 characters, none that a file name
// cannot hold. Empty is allowed (the File page shows it as "snap").
bool IsValidFilenamePrefix(std::string_view prefix);
// An absolute folder path ending with a backslash, without empty parts or
// characters a path cannot hold, short enough for a picture name to follow.
bool IsValidFolder(std::string_view folder);

namespace setting {

using C = CameraSettings;
inline constexpr IntSetting kAwb{"awb", 0, 0, 4, &C::awb};
inline constexpr IntSetting kColor{"color", 0, 0, 2, &C::color};
inline constexpr IntSetting kImageQuality{"imagequality", 1, 0, 2, &C::imagequality};
inline constexpr IntSetting kResolution{"resolution", 1, 0, 3, &C::resolution};
inline constexpr IntSetting kAeMetering{"ae metering", 1, 0, 1, &C::ae_metering};
inline constexpr IntSetting kAviResolution{"aviresolution", 1, 0, 1, &C::aviresolution};
inline constexpr IntSetting kRecordWithAudio{"recordwithaudio", 1, 0, 1, &C::recordwithaudio};
inline constexpr IntSetting kActionMode{"actionmode", 1, INT_MIN, INT_MAX, &C::actionmode};
inline constexpr IntSetting kCameraSound{"camera sound", 1, 0, 1, &C::camera_sound};
inline constexpr IntSetting kInstantReview{"instant review", 1, 0, 3, &C::instant_review};
inline constexpr IntSetting kSelfTime{"selftime", 0, 0, 2, &C::selftime};
inline constexpr IntSetting kBusinessCard{"business card", 0, 0, 1, &C::business_card};
inline constexpr IntSetting kJpgNo{"jpgno", 1, 0, kCounterLimit - 1, &C::jpgno};
inline constexpr IntSetting kAviNo{"avino", 1, 1, kCounterLimit - 1, &C::avino};
inline constexpr IntSetting kBrightness{"brightness", 50, INT_MIN, INT_MAX, &C::brightness};

inline const TextSetting kDefaultFolder{"defaultfolder", kPictureFolder, &IsValidFolder,
                                        &C::defaultfolder};
inline const TextSetting kFilenamePrefix{"filename prefix", "snap", &IsValidFilenamePrefix,
                                         &C::filename_prefix};

}  // namespace setting

}  // namespace camera
