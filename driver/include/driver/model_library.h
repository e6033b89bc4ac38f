// A stand-in for the platform maker's utility library "oRKAUtil.dll", whose
// export "oRKAGetModelID" names the handheld model (the driver picks its bus
// clock from it). Handhelds have none unless a test or the emulator builds
// one in with the model id it wants.
#pragma once

#include <string>

#include "platform/handheld.h"

namespace orsadrv {

inline constexpr const char* kModelLibraryPath = "\\Windows\\oRKAUtil.dll";

bool InstallModelLibrary(platform::Handheld& handheld, std::u16string model_id);

}  // namespace orsadrv
