// Building the clip plug-in into a handheld: the emulator's installer calls
// this once per handheld it makes.
#pragma once

#include <string>

#include "platform/handheld.h"

namespace clip {

// Registers "\Windows\orsaclip.dll" with its exports and bitmaps and puts
// its file in "\Windows\". False, with the reason in *error when given,
// when the module is already built in or its file cannot be written.
bool InstallClipModule(platform::Handheld& handheld, std::string* error = nullptr);

inline constexpr char kPlayClipProgramPath[] = "\\Windows\\playclip.exe";

// Registers "\Windows\playclip.exe PATH", which plays one clip through the
// plug-in (loaded by name, as the gallery loads it). False, with the reason,
// when its file cannot be written.
bool InstallPlayClipProgram(platform::Handheld& handheld, std::string* error = nullptr);

}  // namespace clip
