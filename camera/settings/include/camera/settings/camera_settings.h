// The camera application's settings as it uses them: one variable per
// stored value, read once at start-up (LoadSettings) and kept current by
// every writer, plus the two settings that are never stored. Until
// LoadSettings runs they hold the defaults of setting_definitions.h.
#pragma once

#include <string>

namespace camera {

struct CameraSettings {
  // Settings page.
  int awb = 0;           // white balance: 0 Auto, 1 Sun, 2 Tungsten, 3 Fluorescent, 4 None
  int color = 0;         // 0 Full Color, 1 Black & White, 2 Negative
  int imagequality = 0;  // compression: 0 Good, 1 Better, 2 Best
  int resolution = 0;    // still size: 0 1280x1024, 1 1280x960, 2 640x480, 3 320x240
  int ae_metering = 0;   // 0 Average, 1 Center-weighted
  // Video page.
  int aviresolution = 0;    // preview and clip size: 0 320x240, 1 160x120
  int recordwithaudio = 0;  // 0 Off, 1 On
  // Setup page.
  int camera_sound = 0;    // 0 Off, 1 On
  int instant_review = 0;  // 0 Off, 1..3: 2, 4 or 6 seconds
  int selftime = 0;        // 0 Off, 1 two seconds, 2 ten seconds
  int business_card = 0;   // 0 Off, 1 On
  // File page and counters.
  std::string filename_prefix;
  int jpgno = 0;  // next picture, 0..9999
  std::string defaultfolder;
  int avino = 0;  // next clip, 1..9999
  // Read at start-up, used by nothing.
  int actionmode = 0;
  int brightness = 0;

  // Not stored: where pictures go (ends with a backslash), and the still
  // size index (2 or 3) that applies while zoomed.
  std::string folder_in_use;
  int zoomed_still_size = 0;
};

// The variables of the camera application running on the current handheld.
CameraSettings& Settings();

}  // namespace camera
