#include "camera/settings/settings_writers.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_store.h"
#include "platform/files.h"

namespace camera {

namespace {

using Assignment = std::pair<const IntSetting*, int>;

// Stores every value when all of them are acceptable, none otherwise.
bool StoreAll(std::initializer_list<Assignment> assignments) {
  const bool acceptable =
      std::all_of(assignments.begin(), assignments.end(),
                  [](const Assignment& a) { return a.first->Accepts(a.second); });
  if (!acceptable) return false;
  bool written = true;
  for (const auto& [setting, value] : assignments) written &= StoreSetting(*setting, value);
  return written;
}

// The zoomed still sizes: 640x480 and 320x240.
bool IsZoomedStillSize(int value) { return value == 2 || value == 3; }

int NextCounter(int value) {
  const int next = value + 1;
  return next >= kCounterLimit ? 1 : next;
}

}  // namespace

bool StoreSettingsPage(const SettingsPageValues& values, bool zoomed) {
  if (zoomed) {
    if (!IsZoomedStillSize(values.resolution)) return false;
    if (!StoreAll({{&setting::kAwb, values.awb},
                   {&setting::kColor, values.color},
                   {&setting::kImageQuality, values.imagequality},
                   {&setting::kAeMetering, values.ae_metering}})) {
      return false;
    }
    Settings().zoomed_still_size = values.resolution;
    return true;
  }
  return StoreAll({{&setting::kAwb, values.awb},
                   {&setting::kColor, values.color},
                   {&setting::kImageQuality, values.imagequality},
                   {&setting::kResolution, values.resolution},
                   {&setting::kAeMetering, values.ae_metering}});
}

bool StoreSetupPage(const SetupPageValues& values) {
  return StoreAll({{&setting::kCameraSound, values.camera_sound},
                   {&setting::kInstantReview, values.instant_review},
                   {&setting::kSelfTime, values.selftime},
                   {&setting::kBusinessCard, values.business_card}});
}

bool StoreFilePage(std::string_view filename_prefix, int jpgno, std::string_view folder) {
  if (!setting::kFilenamePrefix.Accepts(filename_prefix) || !setting::kJpgNo.Accepts(jpgno) ||
      !setting::kDefaultFolder.Accepts(folder)) {
    return false;
  }
  bool written = StoreSetting(setting::kFilenamePrefix, filename_prefix);
  written &= StoreSetting(setting::kJpgNo, jpgno);
  written &= StoreFolderInUse(folder);
  return written;
}

bool StoreVideoPage(int aviresolution, int recordwithaudio) {
  return StoreAll(
      {{&setting::kAviResolution, aviresolution}, {&setting::kRecordWithAudio, recordwithaudio}});
}

bool StoreFolderInUse(std::string_view folder) {
  if (!setting::kDefaultFolder.Accepts(folder)) return false;
  Settings().folder_in_use = std::string(folder);
  return StoreSetting(setting::kDefaultFolder, folder);
}

bool FallBackFromMissingFolderInUse() {
  std::string folder = Settings().folder_in_use;
  auto exists = [](const std::string& path) {
    const platform::DWORD attributes = platform::GetFileAttributes(path);
    return attributes != platform::INVALID_FILE_ATTRIBUTES &&
           (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) != 0;
  };
  // "\A\B\" is looked for as "\A\B", then "\A"; the root always exists.
  while (folder.size() > 1 && !exists(folder.substr(0, folder.size() - 1))) {
    folder.erase(folder.rfind('\\', folder.size() - 2) + 1);
  }
  if (folder == Settings().folder_in_use) return false;
  StoreFolderInUse(folder);
  return true;
}

void AdvancePictureCounter() { StoreSetting(setting::kJpgNo, NextCounter(Settings().jpgno)); }

void RewindPictureCounter(int reviewed_number) { StoreSetting(setting::kJpgNo, reviewed_number); }

void AdvanceClipCounter() { StoreSetting(setting::kAviNo, NextCounter(Settings().avino)); }

void TurnOffStillOnlySettings() {
  StoreSetting(setting::kSelfTime, 0);
  StoreSetting(setting::kBusinessCard, 0);
}

std::array<platform::DWORD, 4> OptionsRecord() {
  const CameraSettings& values = Settings();
  return {static_cast<platform::DWORD>(values.awb), static_cast<platform::DWORD>(values.color),
          static_cast<platform::DWORD>(values.imagequality),
          static_cast<platform::DWORD>(values.ae_metering)};
}

}  // namespace camera
