#include "camera/still/picture_names.h"

#include <cstdio>

#include "camera/settings/camera_settings.h"

namespace camera {

std::string PicturePath(int number) {
  char digits[16];
  // Four digits with leading zeros: "0001.jpg".
  std::snprintf(digits, sizeof digits, "%04d.jpg", number);
  const CameraSettings& settings = Settings();
  return settings.folder_in_use + settings.filename_prefix + digits;
}

}  // namespace camera
