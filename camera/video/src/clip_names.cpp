#include "camera/video/clip_names.h"

#include <cstdio>

#include "camera/settings/camera_settings.h"

namespace camera {

std::string ClipPath(int number) {
  char name[24];
  // Four digits with leading zeros: "m0007.avi".
  std::snprintf(name, sizeof name, "m%04d.avi", number);
  return Settings().folder_in_use + name;
}

}  // namespace camera
