// Building the string library into a handheld: the emulator's installer
// calls this once per handheld it makes.
#pragma once

#include <filesystem>
#include <string>

#include "platform/handheld.h"

namespace localization {

// The folder the string tables are read from (resources/strings/*.txt of
// this component).
std::filesystem::path DefaultResourceFolder();

// Registers "\Windows\Localization.dll" with its getStr export and its
// string tables, and puts its file in "\Windows\". False, with the reason in
// *error when given, when the tables cannot be read or the module is
// already built in.
bool InstallLocalizationModule(platform::Handheld& handheld, std::string* error = nullptr);
bool InstallLocalizationModule(platform::Handheld& handheld,
                               const std::filesystem::path& resource_folder, std::string* error);

}  // namespace localization
