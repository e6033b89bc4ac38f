// The exports of each print engine module, for the installer.
#pragma once

#include "platform/modules.h"

namespace platform::programs {

ModuleDefinition MprintModule();
ModuleDefinition QxPrintEngineModule();
ModuleDefinition QxPrintUiModule();

}  // namespace platform::programs
