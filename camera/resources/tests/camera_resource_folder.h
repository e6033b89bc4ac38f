// The camera application's resources folder, read the way the emulator
// reads it for the program, with helpers to get at one bitmap or sound.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>

#include "platform/gdi_png.h"
#include "platform/resources.h"
#include "platform/wav_file.h"

namespace camera::testing {

inline const platform::ModuleResources& CameraResources() {
  static const platform::ModuleResources resources = [] {
    platform::ModuleResources loaded;
    std::string error;
    EXPECT_TRUE(platform::LoadResourceFolder(ORSA_CAMERA_RESOURCES, &loaded, &error)) << error;
    return loaded;
  }();
  return resources;
}

inline const platform::BinaryResource* FindCameraResource(platform::ResourceType type,
                                                          const platform::ResourceId& id) {
  platform::DWORD error = 0;
  return CameraResources().FindBinary(type, id, {}, &error);
}

// Nothing when the bitmap is missing or does not decode.
inline std::optional<platform::gdi::Surface> CameraBitmap(platform::UINT id) {
  const platform::BinaryResource* resource =
      FindCameraResource(platform::ResourceType::kBitmap, id);
  if (!resource) return std::nullopt;
  return platform::gdi::DecodePng(resource->data);
}

// The bitmap, or an empty one with the test failed.
inline platform::gdi::Surface LoadCameraBitmap(platform::UINT id) {
  std::optional<platform::gdi::Surface> bitmap = CameraBitmap(id);
  EXPECT_TRUE(bitmap) << "bitmap " << id << " is missing or does not decode";
  return bitmap ? *bitmap : platform::gdi::Surface();
}

inline std::optional<platform::WavContents> CameraSound(const char* name) {
  const platform::BinaryResource* resource =
      FindCameraResource(platform::ResourceType::kWave, name);
  if (!resource) return std::nullopt;
  return platform::ParseWav(resource->data);
}

}  // namespace camera::testing
