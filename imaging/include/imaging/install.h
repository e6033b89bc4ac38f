// Building the imaging library into a handheld: the emulator's installer
// calls this once per handheld it makes.
#pragma once

#include <string>

#include "platform/handheld.h"

namespace imaging {

// Registers "\Windows\qximglib.dll" with its exports and puts its file in
// "\Windows\". False, with the reason in *error when given, when the module
// is already built in or its file cannot be written.
bool InstallImagingModule(platform::Handheld& handheld, std::string* error = nullptr);

}  // namespace imaging
