// The handheld's beam programs. "\Windows\beam.exe" and
// "\Windows\irsquirt.exe" both take one file path, quoted or not (spaces
// and all), and push the file to the first infrared device in range with
// OBEX. They have no window: a file that cannot be sent, or no device
// found within kBeamSearchTimeMs, gives a message box and exit code 1.
#pragma once

#include <string_view>

#include "platform/handheld.h"
#include "platform/types.h"

namespace platform::programs {

inline constexpr std::string_view kBeamPath = "\\Windows\\beam.exe";
inline constexpr std::string_view kIrsquirtPath = "\\Windows\\irsquirt.exe";
// How long a beam program searches for a device before it gives up.
inline constexpr DWORD kBeamSearchTimeMs = 30'000;

// Builds the beam programs into the handheld and puts their files in
// "\Windows\"; either may be left out. The OBEX sender's resources
// ("orsabeamres.dll") must be installed for them to send.
bool InstallBeamPrograms(Handheld& handheld, bool beam, bool irsquirt);

}  // namespace platform::programs
