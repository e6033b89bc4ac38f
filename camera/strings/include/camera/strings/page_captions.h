// The camera application's own string table: the captions of the settings
// sheet's pages, per language at 60000 + 100 x language index + page, and
// an entry "1" at offset 0.
#pragma once

#include <filesystem>
#include <string>

#include "platform/modules.h"
#include "platform/resources.h"
#include "platform/types.h"

namespace camera {

enum class SettingsPage : platform::UINT { kSettings = 1, kSetup = 2, kFile = 3, kVideo = 4 };

inline constexpr platform::UINT kOwnStringBase = 60000;
inline constexpr platform::UINT kOwnStringStride = 100;

constexpr platform::UINT PageCaptionId(SettingsPage page, int language_index) {
  return kOwnStringBase + kOwnStringStride * static_cast<platform::UINT>(language_index) +
         static_cast<platform::UINT>(page);
}

// The folder holding the application's own string tables
// (strings/*.txt, one file per language).
std::filesystem::path OwnStringFolder();

// Adds the own string tables to the resources the application's module is
// registered with. False with the reason when they cannot be read.
bool AddOwnStrings(platform::ModuleResources* resources, std::string* error);

// The caption of a page in the kept language, from the application's own
// instance; empty when it is missing.
std::string PageCaption(platform::HINSTANCE application, SettingsPage page, int language_index);

}  // namespace camera
